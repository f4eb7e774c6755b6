#include "fmtoobj/converter.h"

#include "fmtoobj/chunk_walk.h"
#include "fmtoobj/console_text.h"
#include "fmtoobj/extended_output.h"
#include "fmtoobj/model_decoder.h"
#include "fmtoobj/model_file.h"
#include "fmtoobj/obj_file_name.h"
#include "fmtoobj/obj_writer.h"

namespace fmtoobj {

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
    ModelFile model = ReadModelFile(options.inputPath);
    switch (model.status) {
        case ModelFileStatus::CantOpen:
            UsageFatal(console, programPath, "Can't open model file");
            return model.errorNumber != 0 ? model.errorNumber : FATAL_EXIT;
        case ModelFileStatus::CantAllocate:
            return Fatal(console, "Can't allocate memory to read model");
        case ModelFileStatus::CantRead:
            return Fatal(console, "Can't read model file");
        case ModelFileStatus::TooLarge:
            return Fatal(console, "Model file is larger than 256 MB");
        case ModelFileStatus::Read:
            break;
    }
    return ConvertModel(model.bytes, options, console, output);
}

}  // namespace fmtoobj
