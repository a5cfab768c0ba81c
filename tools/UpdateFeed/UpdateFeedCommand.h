#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace moorlet::release {

// The file names keygen writes into its folder. The secret one is kept out of the repository by
// a .gitignore rule; keep the two in step.
inline constexpr auto kSecretKeyFileName = "update-signing.key";
inline constexpr auto kPublicKeyFileName = "update-signing.pub";

// Runs one update-feed command line (the arguments after the program name): prints results on
// `out`, a sentence saying what is wrong on `error`, and returns the exit status (0 on success,
// 1 for a failure, 2 for a command line that cannot be understood).
//   keygen DIR
//   sign --secret-key FILE --version V --url URL --archive FILE [--notes T] [--pub-date D]
//        [--min-os V] [--out FILE]
//   verify --public-key BASE64 FEED [--archive FILE]
int runUpdateFeed(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& error);

} // namespace moorlet::release
