#pragma once
// The console runs once per machine. The guard is an abstract Unix socket
// bound under a fixed name: a second process finds the name taken at once,
// and the kernel frees it whenever the holder ends, also after a crash or
// kill -9, so a stale guard can never lock the operator out. (Abstract names
// belong to the network namespace, which is the whole machine in normal use.)
namespace prismel {

constexpr const char* kInstanceName = "Prismel_is_running";

class SingleInstance {
public:
    explicit SingleInstance(const char* name = kInstanceName);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    // False when another process holds the name.
    bool first() const { return fd_ >= 0 || !taken_; }
    // True when the name was held by another process.
    bool already_running() const { return taken_; }

private:
    int fd_ = -1;
    bool taken_ = false;
};

}  // namespace prismel
