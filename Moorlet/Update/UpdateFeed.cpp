#include "Moorlet/Update/UpdateFeed.h"

#include <nlohmann/json.hpp>
#include <sodium.h>

#include <algorithm>
#include <charconv>
#include <vector>

namespace moorlet::UpdateFeed {

namespace {

std::vector<std::string_view> nonEmptyPieces(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        const auto end = text.find(separator);
        const auto piece = text.substr(0, end);
        if (!piece.empty())
            pieces.push_back(piece);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return pieces;
}

std::optional<std::string> optionalString(const nlohmann::json& object, const char* key)
{
    const auto found = object.find(key);
    if (found == object.end() || found->is_null())
        return std::nullopt;
    return found->get<std::string>();
}

std::uint64_t versionPiece(const std::vector<std::string_view>& pieces, std::size_t index)
{
    if (index >= pieces.size())
        return 0;
    std::uint64_t value = 0;
    const auto piece = pieces[index];
    const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
    return error == std::errc() && end == piece.data() + piece.size() ? value : 0;
}

} // namespace

std::optional<std::string> decodeBase64(std::string_view text)
{
    if (sodium_init() < 0)
        return std::nullopt;
    std::string bytes(text.size() / 4 * 3 + 3, '\0');
    std::size_t length = 0;
    const char* end = nullptr;
    if (sodium_base642bin(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), text.data(), text.size(),
            nullptr, &length, &end, sodium_base64_VARIANT_ORIGINAL)
            != 0
        || end != text.data() + text.size())
        return std::nullopt;
    bytes.resize(length);
    return bytes;
}

std::optional<std::string> verifiedPayload(std::string_view token, std::string_view publicKeyBase64)
{
    const auto parts = nonEmptyPieces(token, '.');
    if (parts.size() != 2)
        return std::nullopt;
    auto payload = decodeBase64(parts[0]);
    const auto signature = decodeBase64(parts[1]);
    const auto key = decodeBase64(publicKeyBase64);
    if (!payload || !signature || !key || signature->size() != crypto_sign_BYTES
        || key->size() != crypto_sign_PUBLICKEYBYTES)
        return std::nullopt;
    if (crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature->data()),
            reinterpret_cast<const unsigned char*>(payload->data()), payload->size(),
            reinterpret_cast<const unsigned char*>(key->data()))
        != 0)
        return std::nullopt;
    return payload;
}

Result read(std::string_view body, std::string_view publicKeyBase64)
{
    const auto feed = nlohmann::json::parse(body, nullptr, false);
    if (!feed.is_object() || !feed.contains("manifest") || !feed["manifest"].is_string())
        return UpdateError::unreachable;
    const auto payload = verifiedPayload(feed["manifest"].get_ref<const std::string&>(), publicKeyBase64);
    if (!payload)
        return UpdateError::badManifest;
    // Past the signature the payload is ours, but an older or newer tool may still have written
    // something this version does not read: that is not a forgery, so it reads as no answer.
    const auto manifest = nlohmann::json::parse(*payload, nullptr, false);
    try {
        if (!manifest.is_object() || !manifest.at("v").is_number_integer())
            return UpdateError::unreachable;
        const auto kind = manifest.at("kind").get<std::string>();
        UpdateInfo info { manifest.at("version").get<std::string>(), manifest.at("url").get<std::string>(),
            manifest.at("sha256").get<std::string>(), optionalString(manifest, "notes"),
            optionalString(manifest, "pubDate"), optionalString(manifest, "minOS") };
        if (kind != "update")
            return UpdateError::badManifest;
        return info;
    } catch (const nlohmann::json::exception&) {
        return UpdateError::unreachable;
    }
}

bool isNewer(std::string_view a, std::string_view b)
{
    const auto left = nonEmptyPieces(a, '.');
    const auto right = nonEmptyPieces(b, '.');
    for (std::size_t index = 0; index < std::max(left.size(), right.size()); ++index) {
        const auto x = versionPiece(left, index);
        const auto y = versionPiece(right, index);
        if (x != y)
            return x > y;
    }
    return false;
}

std::string hex(const unsigned char* bytes, std::size_t size)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    for (std::size_t index = 0; index < size; ++index) {
        text.push_back(kDigits[bytes[index] >> 4]);
        text.push_back(kDigits[bytes[index] & 0xf]);
    }
    return text;
}

} // namespace moorlet::UpdateFeed
