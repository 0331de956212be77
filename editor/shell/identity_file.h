#pragma once
// The identity file user.data in the program directory: 120 bytes holding a marker, the
// machine's host name and an installation identifier, each a NUL-terminated text in a
// zeroed field. A file of any other length is replaced by a new one.
#include <cstddef>
#include <string>

namespace brenmark {

inline constexpr const char* kIdentityFileName = "user.data";
inline constexpr const char* kIdentityMarker = "VELMORAXIU";
inline constexpr std::size_t kIdentityFileSize = 120;
inline constexpr std::size_t kIdentityNameOffset = 20;
inline constexpr std::size_t kIdentityIdOffset = 70;
inline constexpr std::size_t kIdentityFieldSize = 50;  // texts keep at most 49 bytes

struct Identity {
    std::string hostName;
    std::string identifier;
};

// Where fresh values come from; tests script them.
class IdentitySource {
public:
    virtual ~IdentitySource() = default;
    virtual std::string hostName() = 0;
    virtual std::string newIdentifier() = 0;
};

// gethostname (on failure "Error: N" on standard output and the one byte 0xFF) and a fresh
// UUID's 32 hexadecimal digits without "-".
class SystemIdentitySource final : public IdentitySource {
public:
    std::string hostName() override;
    std::string newIdentifier() override;
};

// The identity the file holds when it is exactly 120 bytes long; otherwise fresh values,
// written anew (a failure to write is silent).
Identity loadOrCreateIdentity(const std::string& programDir, IdentitySource& source);

// The file's 120 bytes for an identity; values are cut to 49 bytes.
std::string identityFileBytes(const Identity& identity);

}  // namespace brenmark
