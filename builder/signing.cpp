// Authenticode signatures through osslsigncode: signing a built installer
// and checking the signature of one.
#include "signing.hpp"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "diagnostics.hpp"
#include "platform.hpp"

namespace corvel::build {

namespace fs = std::filesystem;

namespace {

const char kTool[] = "osslsigncode";

bool isPem(const std::string& path) {
    std::string extension = fs::u8path(path).extension().u8string();
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".pem" || extension == ".crt" || extension == ".cer";
}

// The value after "<label> :" in osslsigncode's report, "" when absent.
std::string reportValue(const std::string& report, const std::string& label) {
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, label.size(), label) != 0) continue;
        std::size_t colon = line.find(':', label.size());
        if (colon == std::string::npos) continue;
        std::size_t start = line.find_first_not_of(" \t", colon + 1);
        std::size_t end = line.find_last_not_of(" \t\r");
        return start == std::string::npos ? "" : line.substr(start, end - start + 1);
    }
    return "";
}

}  // namespace

void signInstaller(const Signing& s, const std::string& path) {
    auto fault = [&](const std::string& message) { throw BuildError(s.where, "sign", message); };
    std::vector<std::string> arguments{kTool, "sign"};
    if (isPem(s.certificate) || !s.key.empty()) {
        if (s.key.empty()) fault("a PEM certificate needs its private key: add key = \"...\" to [sign]");
        arguments.insert(arguments.end(), {"-certs", s.certificate, "-key", s.key});
    } else {
        arguments.insert(arguments.end(), {"-pkcs12", s.certificate});
    }
    std::string password;
    if (!s.passwordVariable.empty()) {
        const char* value = std::getenv(s.passwordVariable.c_str());
        if (!value)
            fault("the environment variable " + s.passwordVariable +
                  " that holds the password (sign.password-env) is not set");
        password = value;
        // Through standard input: a command line is visible to every user of the machine.
        arguments.insert(arguments.end(), {"-readpass", "-"});
    }
    arguments.insert(arguments.end(), {"-h", "sha256"});
    if (!s.description.empty()) arguments.insert(arguments.end(), {"-n", s.description});
    if (!s.url.empty()) arguments.insert(arguments.end(), {"-i", s.url});
    if (!s.timestamp.empty()) arguments.insert(arguments.end(), {"-ts", s.timestamp});
    const std::string signedPath = path + ".signed";
    arguments.insert(arguments.end(), {"-in", path, "-out", signedPath});

    std::string output, error;
    std::error_code ec;
    const int code = runTool(arguments, password, output, error);
    if (code != 0) {
        fs::remove(fs::u8path(signedPath), ec);
        if (code < 0) fault("cannot run " + std::string(kTool) + " to sign the installer (" + error + "); install it");
        fault(std::string(kTool) + " could not sign the installer:\n" + output);
    }
    fs::rename(fs::u8path(signedPath), fs::u8path(path), ec);
    if (ec) {
        fs::remove(fs::u8path(signedPath), ec);
        fault("cannot put the signed installer in place: " + ec.message());
    }
}

SignatureCheck checkSignature(const std::string& path) {
    SignatureCheck check;
    std::string output, error;
    const int code = runTool({kTool, "verify", "-in", path}, "", output, error);
    if (code < 0) {
        check.toolMissing = true;
        return check;
    }
    // The digest of the file against the one that was signed, which leaves
    // out the certificate table; a change there shows in the PE checksum,
    // which the tool reports only when it does not hold. Whether the signer
    // is trusted here is another matter, left to the system.
    const std::string signedDigest = reportValue(output, "Current message digest");
    const std::string fileDigest = reportValue(output, "Calculated message digest");
    check.holds = !signedDigest.empty() && signedDigest == fileDigest &&
                  reportValue(output, "Calculated PE checksum").empty();
    check.signer = reportValue(output, "\t\tSubject");
    return check;
}

}  // namespace corvel::build
