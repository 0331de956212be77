#pragma once
// The reference service (scripts/service.py) on a free loopback port for the length of a
// test suite, and the little HTTP the tests need to look at what it received.
#include <string>

class ReferenceService {
public:
    // Starts the service and waits for its port; extra arguments go to the script.
    explicit ReferenceService(const std::string& arguments = "");
    ~ReferenceService();
    ReferenceService(const ReferenceService&) = delete;
    ReferenceService& operator=(const ReferenceService&) = delete;

    bool running() const { return port_ > 0; }
    int port() const { return port_; }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    // A GET of a path on the service; the body, empty on failure.
    std::string get(const std::string& path) const;

private:
    int pid_ = -1;
    int port_ = 0;
};
