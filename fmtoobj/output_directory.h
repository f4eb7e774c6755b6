#pragma once
// Where the OBJ files go: the current directory in the program, memory in tests.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

namespace fmtoobj {

class OutputFile {
  public:
    virtual ~OutputFile() = default;
    virtual void Write(std::string_view text) = 0;
    // True when the whole file is in place.
    virtual bool Finish() = 0;
};

class OutputDirectory {
  public:
    virtual ~OutputDirectory() = default;
    // Nothing when the file cannot be created.
    virtual std::unique_ptr<OutputFile> Create(const std::string& name) = 0;
};

// Files in the current directory, each written beside its name and renamed when complete.
class CurrentDirectory : public OutputDirectory {
  public:
    std::unique_ptr<OutputFile> Create(const std::string& name) override;
};

class MemoryDirectory : public OutputDirectory {
  public:
    std::unique_ptr<OutputFile> Create(const std::string& name) override;

    std::map<std::string, std::string> files;
    std::set<std::string> refusedNames;  // Create fails for these, as for a read-only file
};

}  // namespace fmtoobj
