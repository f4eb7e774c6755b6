#include "fmtoobj/output_directory.h"

#include "bytes/side_file.h"

namespace fmtoobj {

using namespace ::bytes;

namespace {

class DiskFile : public OutputFile {
  public:
    bool Open(const std::string& name) { return file_.Open(name); }
    void Write(std::string_view text) override { file_.Write(text); }
    bool Finish() override { return file_.Commit(); }

  private:
    SideFile file_;
};

class MemoryFile : public OutputFile {
  public:
    MemoryFile(std::map<std::string, std::string>& files, std::string name)
        : files_(files), name_(std::move(name)) {}
    void Write(std::string_view text) override { text_ += text; }
    bool Finish() override {
        files_[name_] = std::move(text_);
        return true;
    }

  private:
    std::map<std::string, std::string>& files_;
    std::string name_;
    std::string text_;
};

}  // namespace

std::unique_ptr<OutputFile> CurrentDirectory::Create(const std::string& name) {
    auto file = std::make_unique<DiskFile>();
    if (!file->Open(name)) {
        return nullptr;
    }
    return file;
}

std::unique_ptr<OutputFile> MemoryDirectory::Create(const std::string& name) {
    if (refusedNames.count(name)) {
        return nullptr;
    }
    return std::make_unique<MemoryFile>(files, name);
}

}  // namespace fmtoobj
