#include "editor/shell/identity_file.h"

#include "interchange/file_bytes.h"
#include "interchange/code_page.h"

#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace brenmark {
namespace {

std::string field(const std::string& bytes, std::size_t offset)
{
    const std::string text = bytes.substr(offset, kIdentityFieldSize);
    return text.substr(0, text.find('\0'));
}

void putField(std::string& bytes, std::size_t offset, std::size_t size, const std::string& text)
{
    const std::string value = text.substr(0, text.find('\0'));
    const std::string_view fit = gbkPrefix(value, size - 1);
    bytes.replace(offset, fit.size(), fit);
}

}  // namespace

std::string SystemIdentitySource::hostName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) {
        std::printf("Error: %u\n", static_cast<unsigned>(errno));
        return "\xFF";
    }
    return name;
}

std::string SystemIdentitySource::newIdentifier()
{
    std::string id = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
    std::erase(id, '-');
    return id;
}

std::string identityFileBytes(const Identity& identity)
{
    std::string bytes(kIdentityFileSize, '\0');
    putField(bytes, 0, kIdentityNameOffset, kIdentityMarker);
    putField(bytes, kIdentityNameOffset, kIdentityFieldSize, identity.hostName);
    putField(bytes, kIdentityIdOffset, kIdentityFieldSize, identity.identifier);
    return bytes;
}

Identity loadOrCreateIdentity(const std::string& programDir, IdentitySource& source)
{
    namespace fs = std::filesystem;
    const fs::path path = fs::path(programDir) / kIdentityFileName;
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::string bytes(kIdentityFileSize + 1, '\0');
            in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (in.gcount() == static_cast<std::streamsize>(kIdentityFileSize)) {
                bytes.resize(kIdentityFileSize);
                return {field(bytes, kIdentityNameOffset), field(bytes, kIdentityIdOffset)};
            }
        }
    }
    std::error_code ec;
    fs::remove(path, ec);
    Identity identity{source.hostName(), source.newIdentifier()};
    const std::string bytes = identityFileBytes(identity);
    // What goes out is what the file holds.
    identity = {field(bytes, kIdentityNameOffset), field(bytes, kIdentityIdOffset)};
    // Written whole or not at all: a file cut short would be read as no identity next time
    // and a new one made.
    replaceFile(path.string(), std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    return identity;
}

}  // namespace brenmark
