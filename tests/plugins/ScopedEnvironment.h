#pragma once
// Changes to the process's environment and working directory that a test undoes when it ends.

#include <filesystem>
#include <optional>
#include <string>

class ScopedVariable {
public:
    // Sets `name` to `value`, or unsets it for nothing.
    ScopedVariable(std::string name, const std::optional<std::string> &value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable &) = delete;
    ScopedVariable &operator=(const ScopedVariable &) = delete;

private:
    std::string name;
    std::optional<std::string> saved;
};

class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::filesystem::path &folder);
    ~ScopedWorkingDirectory();
    ScopedWorkingDirectory(const ScopedWorkingDirectory &) = delete;
    ScopedWorkingDirectory &operator=(const ScopedWorkingDirectory &) = delete;

private:
    std::filesystem::path saved;
};

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;
    const std::filesystem::path &path() const { return folder; }

private:
    std::filesystem::path folder;
};
