// Authenticode signatures of built installers, through osslsigncode. The
// installer's own checksum leaves out what signing changes, so a signed
// installer still runs; these only sign and look at the signature.
#pragma once

#include <string>

#include "manifest.hpp"

namespace corvel::build {

// Signs the installer at `path` in place; it is replaced only by a complete
// signed copy. Throws BuildError naming [sign] (no osslsigncode, password
// variable not set, a failed signing with the tool's report).
void signInstaller(const Signing& signing, const std::string& path);

struct SignatureCheck {
    bool toolMissing = false;  // osslsigncode could not be run: nothing was checked
    bool holds = false;        // the file's digest is the one that was signed
    std::string signer;        // the signing certificate's subject, when reported
};

// Checks the signature of a signed installer.
SignatureCheck checkSignature(const std::string& path);

}  // namespace corvel::build
