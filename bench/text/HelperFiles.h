#pragma once
// Whole-file reading and writing for the two comparison helpers, in large blocks so that the
// timings measure the conversion rather than stream overhead.

#include "OutputBuffer.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace benchtext {

class FileDescriptor
{
public:
    FileDescriptor(const std::string &path, int flags) : m_fd(::open(path.c_str(), flags, 0644))
    {
        if (m_fd < 0)
            throw std::runtime_error(path + ": " + std::strerror(errno));
    }
    ~FileDescriptor() { ::close(m_fd); }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

inline std::string readFile(const std::string &path)
{
    const FileDescriptor file(path, O_RDONLY);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw std::runtime_error(path + ": not a regular file");
    std::string bytes = textmap::sizedOutput(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(file.get(), bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            throw std::runtime_error(path + ": short read");
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

inline void writeFile(const std::string &path, const std::string &bytes)
{
    const FileDescriptor file(path, O_WRONLY | O_CREAT | O_TRUNC);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file.get(), bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            throw std::runtime_error(path + ": write failed");
        done += static_cast<std::size_t>(n);
    }
}

} // namespace benchtext
