#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace moorlet {

// What the feed offers: the version, where its package is downloaded and the package's SHA-256.
struct UpdateInfo {
    std::string version;
    std::string url;
    // Hexadecimal, in either case.
    std::string sha256;
    std::optional<std::string> notes;
    std::optional<std::string> pubDate;
    std::optional<std::string> minOS;

    bool operator==(const UpdateInfo&) const = default;
};

// Why an update step failed. Each kind has its own sentence for the user (UpdateManager).
enum class UpdateError {
    // The token does not verify against our key, or the signed manifest is not an update.
    badManifest,
    checksumMismatch,
    // The package does not unpack safely, or holds no runnable program.
    badArchive,
    // Anything else: no answer, an HTTP error, a body or payload that is not the expected JSON,
    // a file that cannot be written.
    unreachable,
};

// The update feed and its signed manifest, without Qt: the feed is a JSON object whose key
// "manifest" holds a token "BASE64(payload).BASE64(signature)"; the signature is Ed25519 over
// the payload bytes, and the payload is a JSON object {"v", "kind", "version", "url", "sha256",
// "notes"?, "pubDate"?, "minOS"?}. Every function is safe on any input (the fuzzers feed them).
namespace UpdateFeed {

using Result = std::variant<UpdateInfo, UpdateError>;

// The manifest a feed body carries, verified against `publicKeyBase64` (32 bytes of Ed25519 key
// as 44 characters of standard Base64).
Result read(std::string_view body, std::string_view publicKeyBase64);

// The payload of a token whose signature verifies, or nothing.
std::optional<std::string> verifiedPayload(std::string_view token, std::string_view publicKeyBase64);

// Standard Base64 (with padding) to bytes; nothing for anything else, trailing text included.
std::optional<std::string> decodeBase64(std::string_view text);

// Whether version `a` is newer than `b`: dotted numbers compared piece by piece, a missing or
// non-numeric piece counting as 0, so "1.10" is newer than "1.9" and "2.0" is not newer than "2".
bool isNewer(std::string_view a, std::string_view b);

// Lower-case hexadecimal.
std::string hex(const unsigned char* bytes, std::size_t size);

} // namespace UpdateFeed

} // namespace moorlet
