#include "ScopedEnvironment.h"

#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

ScopedVariable::ScopedVariable(std::string name, const std::optional<std::string> &value)
    : name(std::move(name))
{
    if (const char *current = std::getenv(this->name.c_str()))
        saved = current;
    if (value)
        setenv(this->name.c_str(), value->c_str(), 1);
    else
        unsetenv(this->name.c_str());
}

ScopedVariable::~ScopedVariable()
{
    if (saved)
        setenv(name.c_str(), saved->c_str(), 1);
    else
        unsetenv(name.c_str());
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::filesystem::path &folder)
    : saved(std::filesystem::current_path())
{
    std::filesystem::current_path(folder);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory()
{
    std::error_code ignored;
    std::filesystem::current_path(saved, ignored);
}

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlen-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    folder = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
