// What the installer says about itself: the [version] table (its version
// resource) and the [sign] table (how it is signed).
#include "manifest_parts.hpp"

namespace corvel::build {

void loadVersion(const Section& top, Manifest& m) {
    VersionResource& v = m.version;
    v.productName = m.product.displayName;
    v.description = m.product.displayName + " Setup";
    auto table = top.table("version");
    if (!table) return;
    table->allow({"file-version", "product-version", "company", "product-name", "description", "copyright"});
    auto numbers = [&](std::string_view key, VersionNumbers& out, std::string& text) {
        auto given = table->text(key);
        if (!given) return false;
        auto parsed = parseVersionNumbers(*given);
        if (!parsed)
            table->fail(key, "'" + *given + "' is not a version; write one to four numbers up to 65535, "
                                            "such as \"2.1\" or \"2.1.0.17\"");
        out = *parsed;
        text = *given;
        return true;
    };
    if (!numbers("file-version", v.fileNumbers, v.fileVersion)) v.fileVersion = "1.0";
    if (!numbers("product-version", v.productNumbers, v.productVersion)) {
        v.productNumbers = v.fileNumbers;
        v.productVersion = v.fileVersion;
    }
    if (auto t = table->text("company")) v.company = *t;
    if (auto t = table->text("product-name")) v.productName = *t;
    if (auto t = table->text("description")) v.description = *t;
    if (auto t = table->text("copyright")) v.copyright = *t;
}

void loadSigning(const Section& top, Manifest& m) {
    auto table = top.table("sign");
    if (!table) return;
    if (table->has("password"))
        table->fail("password", "the password never goes into the manifest; name the environment variable "
                                "that holds it with password-env");
    table->allow({"certificate", "key", "password-env", "timestamp", "description", "url"});
    Signing s;
    s.where = table->here();
    auto certificate = table->utf8("certificate");
    if (!certificate || certificate->empty())
        table->fail("certificate", "missing certificate: a PKCS#12 file (.pfx, .p12) or a PEM certificate");
    s.certificate = hostPath(m, *certificate);
    if (auto key = table->utf8("key")) s.key = hostPath(m, *key);
    s.passwordVariable = table->utf8("password-env").value_or("");
    s.timestamp = table->utf8("timestamp").value_or("");
    s.description = table->utf8("description").value_or("");
    s.url = table->utf8("url").value_or("");
    m.signing = s;
}

}  // namespace corvel::build
