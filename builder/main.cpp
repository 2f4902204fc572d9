// corvelbuild: the command line of the package builder.
#include <iomanip>
#include <iostream>

#include <CLI/CLI.hpp>

#include "build.hpp"
#include "inspect.hpp"
#include "platform.hpp"
#include "progress.hpp"

using namespace corvel::build;

int main(int argc, char** argv) {
    CLI::App app{"corvelbuild - makes Corvelsetup installers from a TOML manifest"};
    app.require_subcommand(1);
    app.footer(
        "The installer that corvelbuild makes takes these switches:\n"
        "  /S            silent: no window; the defaults of the installation, no restart\n"
        "  /D=<folder>   the installation folder; the last argument, taken whole (blanks allowed)\n"
        "  /LOG=<file>   append every message of the run, with a time stamp, to <file>\n"
        "  /REBOOT       with /S: restart Windows when the installation needs it\n"
        "The uninstaller takes /S and /LOG=<file>; its QuietUninstallString runs it with /S.\n"
        "Exit codes: 0 done, 3010 done but a restart is needed, 1 failed or cancelled (rolled back),\n"
        "2 a requirement is not met, 3 the installer is damaged, 87 an unknown switch.\n"
        "See docs/administrators.md in the sources.");

    BuildOptions options;
    bool quiet = false;
    auto* build = app.add_subcommand("build", "build an installer from a manifest");
    build->add_option("manifest", options.manifest, "the manifest (TOML)")->required()->check(CLI::ExistingFile);
    build->add_option("-o,--output", options.output, "the installer to write (default: the manifest's output, "
                                                     "else setup.exe beside the manifest)");
    build->add_option("--stub", options.stub, "the setup stub (default: corvelsetup.exe beside corvelbuild)");
    build->add_option("-j,--jobs", options.jobs, "compression threads (default: every core)")
        ->check(CLI::Range(1u, 1024u));
    build->add_flag("-q,--quiet", quiet, "print nothing but errors");
    build->add_flag("--sign", options.sign, "sign the installer as the manifest's [sign] table says (through "
                                            "osslsigncode)");

    std::string installer, folder;
    auto* inspect = app.add_subcommand("inspect", "print everything an installer holds");
    inspect->add_option("installer", installer, "the installer")->required()->check(CLI::ExistingFile);
    auto* verify = app.add_subcommand("verify", "exit 0 only when an installer (and its signature) is intact");
    verify->add_option("installer", installer, "the installer")->required()->check(CLI::ExistingFile);
    auto* extract = app.add_subcommand("extract", "write out the files an installer holds");
    extract->add_option("installer", installer, "the installer")->required()->check(CLI::ExistingFile);
    extract->add_option("folder", folder, "where to put them")->required();

    CLI11_PARSE(app, argc, argv);

    try {
        if (*build) {
            options.progress = !quiet && isTerminal(2);
            BuildResult r = buildInstaller(options);
            if (!quiet)
                for (const std::string& w : r.warnings) std::cerr << w << "\n";
            if (!quiet)
                std::cout << r.output << ": " << r.installerBytes << " bytes, " << r.files << " files, "
                          << humanBytes(double(r.payloadBytes)) << " of payload compressed in " << std::fixed
                          << std::setprecision(1) << r.seconds << " s ("
                          << humanBytes(r.seconds > 0 ? double(r.payloadBytes) / r.seconds : 0) << "/s)\n";
            return 0;
        }
        if (*inspect) return inspectInstaller(installer, std::cout) ? 0 : 1;
        if (*verify) return verifyInstaller(installer, std::cout, std::cerr) ? 0 : 1;
        if (*extract) return extractInstaller(installer, folder, std::cout, std::cerr) ? 0 : 1;
    } catch (const BuildError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
