#include "interchange/compress.h"

#include "interchange/file_bytes.h"

#include <zip.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <span>
#include <vector>

namespace fs = std::filesystem;

namespace jolvane {

std::size_t compressedBound(std::size_t length)
{
    return static_cast<std::size_t>(::compressBound(static_cast<uLong>(length)));
}

std::optional<std::string> compress(std::string_view bytes)
{
    std::string out(compressedBound(bytes.size()), '\0');
    uLongf outLength = static_cast<uLongf>(out.size());
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &outLength, reinterpret_cast<const Bytef*>(bytes.data()),
                  static_cast<uLong>(bytes.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return std::nullopt;
    out.resize(outLength);
    return out;
}

std::optional<std::string> uncompress(std::string_view bytes, std::size_t maxLength)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return std::nullopt;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    std::string out;
    char chunk[16384];
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(chunk);
        z.avail_out = sizeof chunk;
        rc = inflate(&z, Z_NO_FLUSH);
        const std::size_t produced = sizeof chunk - z.avail_out;
        if (out.size() + produced > maxLength) {
            rc = Z_BUF_ERROR;
            break;
        }
        out.append(chunk, produced);
        if (rc == Z_BUF_ERROR && z.avail_in == 0)
            break;  // the stream ends early
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END)
        return std::nullopt;
    return out;
}

}  // namespace jolvane

namespace {

bool usable(const unsigned char* in, std::int32_t inLength, const unsigned char* out, const std::int32_t* outLength)
{
    return in && inLength >= 0 && out && outLength && *outLength >= 0;
}

int deliver(const std::optional<std::string>& result, unsigned char* out, std::int32_t* outLength)
{
    if (!result || result->size() > static_cast<std::size_t>(*outLength))
        return 0;
    std::memcpy(out, result->data(), result->size());
    *outLength = static_cast<std::int32_t>(result->size());
    return 1;
}

}  // namespace

int MemZip(const unsigned char* in, std::int32_t inLength, unsigned char* out, std::int32_t* outLength)
{
    if (!usable(in, inLength, out, outLength))
        return 0;
    return deliver(jolvane::compress({reinterpret_cast<const char*>(in), static_cast<std::size_t>(inLength)}), out,
                   outLength);
}

int MemUnZip(const unsigned char* in, std::int32_t inLength, unsigned char* out, std::int32_t* outLength)
{
    if (!usable(in, inLength, out, outLength))
        return 0;
    return deliver(jolvane::uncompress({reinterpret_cast<const char*>(in), static_cast<std::size_t>(inLength)},
                                       static_cast<std::size_t>(*outLength)),
                   out, outLength);
}

int ZipDir(const char* folder, const char* zipFile)
{
    if (!folder || !zipFile)
        return 0;
    std::error_code ec;
    const fs::path root(folder);
    if (!fs::is_directory(root, ec))
        return 0;
    // The archive is made in memory and written through the one write path, so an old zip
    // file stays whole under its name until the new one is complete and synced.
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!memory)
        return 0;
    zip_source_keep(memory);  // ours, past the archive's close
    zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(memory);  // the reference the archive would have taken
        zip_source_free(memory);
        zip_error_fini(&error);
        return 0;
    }
    bool ok = true;
    for (auto it = fs::recursive_directory_iterator(root, ec); ok && !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const std::string name = fs::relative(it->path(), root, ec).generic_string();
        zip_source_t* source = zip_source_file(archive, it->path().c_str(), 0, -1);
        if (ec || !source || zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_GUESS) < 0) {
            if (source)
                zip_source_free(source);
            ok = false;
        }
    }
    if (ec)
        ok = false;
    if (!ok || zip_close(archive) != 0) {
        zip_discard(archive);
        zip_source_free(memory);
        zip_error_fini(&error);
        return 0;
    }
    std::vector<std::uint8_t> bytes;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(memory, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) && zip_source_open(memory) == 0) {
        bytes.resize(static_cast<std::size_t>(stat.size));
        const zip_int64_t n = zip_source_read(memory, bytes.data(), stat.size);
        ok = n == static_cast<zip_int64_t>(stat.size);
        zip_source_close(memory);
    } else {
        ok = false;
    }
    zip_source_free(memory);
    zip_error_fini(&error);
    return ok && brenmark::replaceFile(zipFile, bytes) ? 1 : 0;
}

namespace {

// An entry's path inside the target folder, or nothing when its name would leave it.
std::optional<fs::path> entryPath(const fs::path& root, const char* name)
{
    const fs::path relative = fs::path(name).lexically_normal();
    if (relative.empty() || relative.is_absolute() || relative.has_root_name())
        return std::nullopt;
    for (const auto& part : relative)
        if (part == "..")
            return std::nullopt;
    return root / relative;
}

}  // namespace

int UnZipFile(const char* zipFile, const char* folder)
{
    if (!zipFile || !folder)
        return 0;
    int error = 0;
    zip_t* archive = zip_open(zipFile, ZIP_RDONLY, &error);
    if (!archive)
        return 0;
    const fs::path root(folder);
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    std::vector<fs::path> targets;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        const auto target = name ? entryPath(root, name) : std::nullopt;
        if (!target) {
            zip_discard(archive);
            return 0;
        }
        targets.push_back(*target);
    }
    bool ok = true;
    std::error_code ec;
    fs::create_directories(root, ec);
    for (zip_int64_t i = 0; ok && i < count; ++i) {
        const fs::path& target = targets[static_cast<std::size_t>(i)];
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (name[std::strlen(name) - 1] == '/') {
            fs::create_directories(target, ec);
            continue;
        }
        fs::create_directories(target.parent_path(), ec);
        zip_file_t* entry = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        // Each file through the one write path: complete and synced, or the old one stays.
        brenmark::ReplacementFile file(target.string());
        if (!entry || !file.ok()) {
            ok = false;
        } else {
            std::uint8_t buffer[16384];
            zip_int64_t n = 0;
            while ((n = zip_fread(entry, buffer, sizeof buffer)) > 0)
                file.write(std::span(buffer, static_cast<std::size_t>(n)));
            ok = n == 0 && file.commit();
        }
        if (entry)
            zip_fclose(entry);
    }
    zip_discard(archive);
    return ok ? 1 : 0;
}
