#include "fmtoobj/converter.h"

#include "bytes/whole_file.h"
#include "fmtoobj/chunk_walk.h"
#include "fmtoobj/console_text.h"
#include "fmtoobj/extended_output.h"
#include "fmtoobj/model_decoder.h"
#include "fmtoobj/obj_file_name.h"
#include "fmtoobj/obj_writer.h"

namespace fmtoobj {

using namespace ::bytes;

namespace {

constexpr int FATAL_EXIT = -1;

int Fatal(std::ostream& console, std::string_view message) {
    console << FatalText(message);
    return FATAL_EXIT;
}

int UsageFatal(std::ostream& console, std::string_view programPath, std::string_view message) {
    console << UsageText(programPath);
    return Fatal(console, message);
}

int ReadFatal(std::ostream& console, std::string_view programPath, const Status& read) {
    switch (read.Kind()) {
        case Failure::CantOpen:
            UsageFatal(console, programPath, "Can't open model file");
            return read.SystemError() != 0 ? read.SystemError() : FATAL_EXIT;
        case Failure::OutOfMemory:
            return Fatal(console, "Can't allocate memory to read model");
        case Failure::TooLarge:
            return Fatal(console, Format("Model file is larger than %zu MB", MAX_FILE_BYTES >> 20));
        default:
            return Fatal(console, "Can't read model file");
    }
}

void WriteObjFile(const FrameModel& model, const ConverterOptions& options, uint32_t mask,
                  const TextureLookup& lookup, std::ostream& console, OutputDirectory& output) {
    std::string name = ObjFileName(model.frameName, mask);
    std::unique_ptr<OutputFile> file = output.Create(name);
    if (!file) {
        return;
    }
    file->Write(ObjText(model, options, mask, name, lookup, console));
    if (file->Finish()) {
        console << Format("Wrote: %s\n", name.c_str());
    }
}

void ExportFrame(const FrameModel& model, const ConverterOptions& options, std::ostream& console,
                 OutputDirectory& output) {
    TextureLookup lookup(model.stCoords);
    if (!options.perNode) {
        WriteObjFile(model, options, options.nodeMask, lookup, console, output);
        return;
    }
    for (int node = 0; node < model.numMeshNodes; ++node) {
        if (model.NodeSelected(node, options.nodeMask)) {
            WriteObjFile(model, options, 1u << node, lookup, console, output);
        }
    }
}

}  // namespace

int ConvertModel(std::span<const uint8_t> bytes, const ConverterOptions& options,
                 std::ostream& console, OutputDirectory& output) {
    ByteReader file(bytes);
    ChunkMap map;
    if (auto fatal = WalkChunks(file, options.frameName, map, console)) {
        return Fatal(console, *fatal);
    }
    console << "\n";
    FrameModel model;
    if (auto fatal = DecodeFrameModel(file, map, options.nodeMask, model)) {
        return Fatal(console, *fatal);
    }
    ExportFrame(model, options, console, output);
    if (options.extended) {
        console << ExtendedText(model);
    }
    return 0;
}

int RunFmToObj(std::span<const std::string> arguments, std::ostream& console,
               OutputDirectory& output) {
    std::string programPath = arguments.empty() ? "fmtoobj" : arguments[0];
    console << StartupText(programPath);
    CommandLine commandLine =
        ParseCommandLine(arguments.empty() ? arguments : arguments.subspan(1));
    if (!commandLine.error.empty()) {
        return UsageFatal(console, programPath, commandLine.error);
    }
    const ConverterOptions& options = commandLine.options;
    console << Format("Opening model file: %s\n", options.inputPath.c_str());
    std::vector<uint8_t> model;
    if (Status read = ReadWholeFile(options.inputPath, model); !read) {
        return ReadFatal(console, programPath, read);
    }
    return ConvertModel(model, options, console, output);
}

}  // namespace fmtoobj
