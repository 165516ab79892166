#include "cli/Mvgtool.h"

#include <ostream>

#include "cli/Commands.h"

namespace {

constexpr char kUsage[] =
    "usage: mvgtool convert [--vp FILE] [--density FILE] [--vs FILE] [options] -o OUTPUT\n"
    "       mvgtool sizes FILE... [--order rows|columns] [--flip-z] [--decimal-comma]\n"
    "                     [--form FORM] [--skip-columns N] [--skip-rows N]\n"
    "                     [--coordinates km|m] [--raw TYPE [--skip-bytes N]]\n"
    "       mvgtool info FILE.mvg...\n"
    "       mvgtool picture INPUT [--property P|Q|R] [--nx N] [--dx STEP --dz STEP]\n"
    "                       [--order rows|columns] [--flip-z] [--decimal-comma]\n"
    "                       [--form FORM] [--skip-columns N] [--skip-rows N]\n"
    "                       [--coordinates km|m] [--raw TYPE [--skip-bytes N]]\n"
    "                       [--range MIN MAX | --clip P] [-o OUTPUT.png]\n"
    "       mvgtool totext INPUT.mvg [--property P|Q|R] [-o OUTPUT.txt]\n"
    "       mvgtool --version\n";

constexpr char kOverview[] =
    "\n"
    "Converts text grids of rock properties (Vp, density, Vs) into one Morvelan grid file\n"
    "(.mvg): a 296-byte header and the values node by node as little-endian 32-bit floats.\n"
    "\n"
    "Commands:\n"
    "  convert   convert up to three text grids into a grid file\n"
    "  sizes     show each text grid's number of values, range, form and possible X sizes\n"
    "  info      show the sizes, steps, properties and value ranges of a grid file\n"
    "  picture   draw one property of a grid file, or a text grid, as a PNG picture\n"
    "  totext    write one property of a grid file as a text grid\n"
    "\n"
    "Run \"mvgtool COMMAND --help\" for a command's options.\n"
    "Exit status: 0 done, 1 input refused, 2 usage error.\n";

struct Command {
  const CommandHelp* help;
  int (*run)(const std::vector<std::string>& args, const CommandContext& context);
};

const Command kCommands[] = {
    {&kConvertHelp, RunConvertCommand}, {&kSizesHelp, RunSizesCommand},
    {&kInfoHelp, RunInfoCommand},       {&kPictureHelp, RunPictureCommand},
    {&kTotextHelp, RunTotextCommand},
};

int TopLevelUsageError(std::ostream& err, const std::string& problem) {
  err << "mvgtool: " << problem << '\n' << kUsage << "Run \"mvgtool --help\" for more.\n";
  return kExitUsage;
}

}  // namespace

int RunMvgtool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               bool showProgress, bool stdoutIsTerminal) {
  if (args.empty()) return TopLevelUsageError(err, "no command given");
  const std::string& name = args[0];
  if (name == "--help" || name == "-h" || name == "help") {
    out << kUsage << kOverview;
    return kExitSuccess;
  }
  if (name == "--version" || name == "-V") {
    out << "mvgtool " << MVG_VERSION << '\n';
    return kExitSuccess;
  }
  const CommandContext context{out, err, showProgress, stdoutIsTerminal};
  for (const Command& command : kCommands) {
    if (name == command.help->name) {
      return command.run(std::vector<std::string>(args.begin() + 1, args.end()), context);
    }
  }
  if (!name.empty() && name[0] == '-') {
    return TopLevelUsageError(err, "unknown option \"" + name + "\" (a command comes first)");
  }
  return TopLevelUsageError(err, "unknown command \"" + name + "\"");
}
