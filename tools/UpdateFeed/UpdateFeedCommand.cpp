#include "tools/UpdateFeed/UpdateFeedCommand.h"

#include "Moorlet/Update/UpdateFeed.h"

#include <nlohmann/json.hpp>
#include <sodium.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <regex>
#include <set>
#include <sstream>
#include <string_view>
#include <variant>

#include <fcntl.h>
#include <unistd.h>

namespace moorlet::release {

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
using Json = nlohmann::json;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr auto kUsage
    = "usage: update-feed keygen DIR\n"
      "       update-feed sign --secret-key FILE --version V --url URL --archive FILE\n"
      "                        [--notes TEXT] [--pub-date DATE] [--min-os V] [--out FILE]\n"
      "       update-feed verify --public-key BASE64 FEED [--archive FILE]\n";

// The optional manifest fields and the sign options that set them.
constexpr std::array<std::pair<const char*, const char*>, 3> kOptionalFields {
    { { "notes", "notes" }, { "pub-date", "pubDate" }, { "min-os", "minOS" } }
};

// What ends a command: its message, and whether the command line itself was at fault.
struct Failure {
    std::string message;
    int status = kExitFailure;
};

[[noreturn]] void fail(std::string message)
{
    throw Failure { std::move(message) };
}

[[noreturn]] void failUsage(std::string message)
{
    throw Failure { std::move(message), kExitUsage };
}

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

Bytes bytesOf(std::string_view text)
{
    return { text.begin(), text.end() };
}

std::string toBase64(const Bytes& bytes)
{
    std::string text(sodium_base64_ENCODED_LEN(bytes.size(), sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(text.data(), text.size(), bytes.data(), bytes.size(), sodium_base64_VARIANT_ORIGINAL);
    text.pop_back(); // the terminating NUL
    return text;
}

// The program's own decoder (strict standard Base64), so that the tool reads keys and tokens
// exactly as the program does.
std::optional<Bytes> fromBase64(std::string_view text)
{
    const auto decoded = UpdateFeed::decodeBase64(text);
    if (!decoded)
        return std::nullopt;
    return Bytes(decoded->begin(), decoded->end());
}

std::string trimmed(std::string text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string readFile(const fs::path& path, const std::string& what)
{
    std::error_code code;
    if (fs::is_directory(path, code))
        fail("The " + what + " " + quoted(path) + " is a folder, not a file.");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail("Cannot read the " + what + " " + quoted(path) + ": " + std::strerror(errno) + ".");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        fail("Reading the " + what + " " + quoted(path) + " failed.");
    return text.str();
}

// Creates the file and never replaces one: a key pair once made is not overwritten by a slip.
void writeNewFile(const fs::path& path, const std::string& text, mode_t mode)
{
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (descriptor < 0)
        fail("Cannot create " + quoted(path) + ": " + std::strerror(errno) + ".");
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto written = ::write(descriptor, rest.data(), rest.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::close(descriptor) != 0 || !rest.empty()) {
        ::unlink(path.c_str());
        fail("Writing " + quoted(path) + " failed.");
    }
}

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush())
        fail("Cannot write " + quoted(path) + ".");
}

std::string sha256Hex(const fs::path& archive)
{
    std::error_code code;
    if (!fs::is_regular_file(archive, code))
        fail("The archive " + quoted(archive) + " is not a file.");
    std::ifstream in(archive, std::ios::binary);
    if (!in)
        fail("Cannot read the archive " + quoted(archive) + ": " + std::strerror(errno) + ".");
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    std::array<char, 1 << 16> buffer;
    unsigned long long total = 0;
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
        crypto_hash_sha256_update(&state, reinterpret_cast<const unsigned char*>(buffer.data()),
            static_cast<unsigned long long>(in.gcount()));
        total += static_cast<unsigned long long>(in.gcount());
    }
    if (in.bad())
        fail("Reading the archive " + quoted(archive) + " failed.");
    if (total == 0)
        fail("The archive " + quoted(archive) + " is empty.");
    std::array<unsigned char, crypto_hash_sha256_BYTES> digest;
    crypto_hash_sha256_final(&state, digest.data());
    return UpdateFeed::hex(digest.data(), digest.size());
}

// The running program compares versions piece by piece as numbers and reads anything else as 0,
// so "1.3-beta" would quietly rank as 1.0: only plain numbered versions are signed.
void checkVersion(const std::string& version)
{
    static const std::regex numbered("[0-9]+(\\.[0-9]+)*");
    if (!std::regex_match(version, numbered))
        fail("The version '" + version + "' is not numbers joined by dots, such as 1.2.0.");
}

struct Arguments {
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;

    const std::string* option(const std::string& name) const
    {
        const auto found = options.find(name);
        return found == options.end() ? nullptr : &found->second;
    }

    const std::string& required(const std::string& name) const
    {
        if (const auto* value = option(name))
            return *value;
        failUsage("--" + name + " is missing.");
    }
};

// Every option takes a value ("--name value") and may be given once.
Arguments parseArguments(const std::vector<std::string>& arguments, const std::set<std::string>& known)
{
    Arguments result;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const auto& argument = arguments[index];
        if (!argument.starts_with("--")) {
            result.positional.push_back(argument);
            continue;
        }
        const auto name = argument.substr(2);
        if (!known.contains(name))
            failUsage("Unknown option " + argument + ".");
        if (index + 1 == arguments.size())
            failUsage(argument + " needs a value.");
        if (!result.options.emplace(name, arguments[++index]).second)
            failUsage(argument + " is given twice.");
    }
    return result;
}

int keygen(const Arguments& arguments, std::ostream& out)
{
    if (arguments.positional.size() != 1)
        failUsage("keygen takes one folder.");
    const fs::path folder = arguments.positional.front();
    std::error_code code;
    fs::create_directories(folder, code);
    if (code)
        fail("Cannot create the folder " + quoted(folder) + ": " + code.message() + ".");
    const auto secretPath = folder / kSecretKeyFileName;
    const auto publicPath = folder / kPublicKeyFileName;
    for (const auto& path : { secretPath, publicPath }) {
        if (fs::symlink_status(path, code).type() != fs::file_type::not_found)
            fail(quoted(path) + " already exists; keygen never replaces a key.");
    }
    Bytes publicKey(crypto_sign_PUBLICKEYBYTES);
    Bytes secretKey(crypto_sign_SECRETKEYBYTES);
    crypto_sign_keypair(publicKey.data(), secretKey.data());
    auto secretText = toBase64(secretKey) + "\n";
    sodium_memzero(secretKey.data(), secretKey.size());
    writeNewFile(secretPath, secretText, 0600);
    sodium_memzero(secretText.data(), secretText.size());
    writeNewFile(publicPath, toBase64(publicKey) + "\n", 0644);
    out << "public key (MOORLET_UPDATE_PUBLIC_KEY): " << toBase64(publicKey) << "\n"
        << "written to " << publicPath.string() << "\n"
        << "secret key written to " << secretPath.string() << " (readable by you only; never commit it)\n";
    return 0;
}

Bytes readSecretKey(const fs::path& path)
{
    const auto key = fromBase64(trimmed(readFile(path, "secret key")));
    if (!key || key->size() != crypto_sign_SECRETKEYBYTES)
        fail(quoted(path) + " does not hold a secret key made by update-feed keygen.");
    // The secret key is its seed followed by its public key: a damaged file shows as a mismatch.
    Bytes publicKey(crypto_sign_PUBLICKEYBYTES);
    Bytes expected(crypto_sign_SECRETKEYBYTES);
    crypto_sign_seed_keypair(publicKey.data(), expected.data(), key->data());
    const bool intact = expected == *key;
    sodium_memzero(expected.data(), expected.size());
    if (!intact)
        fail("The secret key " + quoted(path) + " is damaged: its two halves do not belong together.");
    return *key;
}

int sign(const Arguments& arguments, std::ostream& out)
{
    if (!arguments.positional.empty())
        failUsage("sign takes options only, not '" + arguments.positional.front() + "'.");
    auto secretKey = readSecretKey(arguments.required("secret-key"));
    const auto& version = arguments.required("version");
    checkVersion(version);
    const auto& url = arguments.required("url");
    static const std::regex webAddress("https?://[^/?#\\s]+[^\\s]*");
    if (!std::regex_match(url, webAddress))
        fail("The URL '" + url + "' is not an http or https address.");
    Json payload { { "v", 1 }, { "kind", "update" }, { "version", version }, { "url", url },
        { "sha256", sha256Hex(arguments.required("archive")) } };
    for (const auto& [option, field] : kOptionalFields) {
        if (const auto* value = arguments.option(option))
            payload[field] = *value;
    }
    std::string payloadText;
    try {
        payloadText = payload.dump();
    } catch (const Json::exception&) {
        fail("The notes, publication date and minimum system must be UTF-8 text.");
    }
    const auto payloadBytes = bytesOf(payloadText);
    Bytes signature(crypto_sign_BYTES);
    crypto_sign_detached(signature.data(), nullptr, payloadBytes.data(), payloadBytes.size(), secretKey.data());
    sodium_memzero(secretKey.data(), secretKey.size());
    const auto feed = Json { { "manifest", toBase64(payloadBytes) + "." + toBase64(signature) } }.dump() + "\n";
    if (const auto* path = arguments.option("out")) {
        writeFile(*path, feed);
        out << "feed for version " << version << " written to " << *path << "\n";
    } else {
        out << feed;
    }
    return 0;
}

// The fields the running program reads, with the types it expects.
void checkManifest(const Json& manifest)
{
    if (!manifest.is_object())
        fail("The signed payload is not a JSON object.");
    const auto found = manifest.find("v");
    if (found == manifest.end() || !found->is_number_integer() || *found != 1)
        fail("The payload's format version \"v\" is not 1.");
    for (const auto* key : { "kind", "version", "url", "sha256" }) {
        if (!manifest.contains(key) || !manifest[key].is_string())
            fail(std::string("The payload lacks the text field \"") + key + "\".");
    }
    for (const auto& [option, key] : kOptionalFields) {
        if (manifest.contains(key) && !manifest[key].is_string())
            fail(std::string("The payload's \"") + key + "\" is not text.");
    }
    if (manifest["kind"] != "update")
        fail("The payload's kind is not \"update\".");
    checkVersion(manifest["version"].get<std::string>());
    static const std::regex digest("[0-9a-fA-F]{64}");
    if (!std::regex_match(manifest["sha256"].get<std::string>(), digest))
        fail("The payload's sha256 is not 64 hexadecimal digits.");
}

int verify(const Arguments& arguments, std::ostream& out)
{
    if (arguments.positional.size() != 1)
        failUsage("verify takes one feed file.");
    const auto publicKey = fromBase64(arguments.required("public-key"));
    if (!publicKey || publicKey->size() != crypto_sign_PUBLICKEYBYTES)
        fail("The public key is not 44 characters of Base64 holding 32 bytes.");
    const auto feedText = readFile(arguments.positional.front(), "feed");
    const auto feed = Json::parse(feedText, nullptr, false);
    if (!feed.is_object() || feed.size() != 1 || !feed.contains("manifest") || !feed["manifest"].is_string())
        fail("The feed is not a JSON object whose one key, \"manifest\", holds text.");
    const std::string token = feed["manifest"];
    const auto dot = token.find('.');
    if (dot == std::string::npos || token.find('.', dot + 1) != std::string::npos)
        fail("The manifest is not two Base64 texts joined by one \".\".");
    const auto payload = fromBase64(std::string_view(token).substr(0, dot));
    const auto signature = fromBase64(std::string_view(token).substr(dot + 1));
    if (!payload || !signature || payload->empty())
        fail("The manifest's two parts are not both Base64.");
    if (signature->size() != crypto_sign_BYTES
        || crypto_sign_verify_detached(signature->data(), payload->data(), payload->size(), publicKey->data()) != 0)
        fail("The signature does not match this public key: the feed was changed or signed with another key.");
    const auto manifest = Json::parse(payload->begin(), payload->end(), nullptr, false);
    checkManifest(manifest);
    // The checks above say what is wrong; the program's own reader has the last word.
    if (!std::holds_alternative<UpdateInfo>(UpdateFeed::read(feedText, arguments.required("public-key"))))
        fail("Moorlet's own feed reader refuses this feed.");
    if (const auto* archive = arguments.option("archive")) {
        auto expected = manifest["sha256"].get<std::string>();
        std::transform(expected.begin(), expected.end(), expected.begin(), [](unsigned char c) { return std::tolower(c); });
        const auto actual = sha256Hex(*archive);
        if (actual != expected)
            fail("The archive's SHA-256 is " + actual + ", but the feed says " + expected + ".");
    }
    out << "verified: version " << manifest["version"].get<std::string>() << " at "
        << manifest["url"].get<std::string>() << "\n"
        << manifest.dump(2) << "\n";
    return 0;
}

} // namespace

int runUpdateFeed(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& error)
{
    try {
        if (sodium_init() < 0)
            fail("libsodium could not be initialised.");
        if (arguments.empty())
            failUsage("Give a command.");
        const auto& command = arguments.front();
        const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
        if (command == "keygen")
            return keygen(parseArguments(rest, {}), out);
        if (command == "sign")
            return sign(parseArguments(rest, { "secret-key", "version", "url", "archive", "notes", "pub-date", "min-os", "out" }), out);
        if (command == "verify")
            return verify(parseArguments(rest, { "public-key", "archive" }), out);
        if (command == "help" || command == "--help" || command == "-h") {
            out << kUsage;
            return 0;
        }
        failUsage("Unknown command '" + command + "'.");
    } catch (const Failure& failure) {
        error << "update-feed: " << failure.message << "\n";
        if (failure.status == kExitUsage)
            error << kUsage;
        return failure.status;
    }
}

} // namespace moorlet::release
