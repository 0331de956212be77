#include "service_fixture.h"

#include <curl/curl.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <vector>

extern char** environ;

ReferenceService::ReferenceService(const std::string& arguments)
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    std::vector<std::string> args = {BRENMARK_PYTHON, BRENMARK_SERVICE_SCRIPT, "--port", "0"};
    std::istringstream extra(arguments);
    for (std::string word; extra >> word;)
        args.push_back(word);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return;
    }
    pid_ = pid;
    FILE* out = fdopen(fds[0], "r");
    char line[32] = {};
    if (out && std::fgets(line, sizeof line, out))
        port_ = std::atoi(line);
    if (out)
        std::fclose(out);
}

ReferenceService::~ReferenceService()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

namespace {

std::size_t collect(char* data, std::size_t size, std::size_t count, void* user)
{
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

}  // namespace

std::string ReferenceService::get(const std::string& path) const
{
    std::string body;
    CURL* curl = curl_easy_init();
    const std::string url = base() + path;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, 10000L);
    if (curl_easy_perform(curl) != CURLE_OK)
        body.clear();
    curl_easy_cleanup(curl);
    return body;
}
