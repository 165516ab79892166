// The Python module's native part, mvg._mvg: a thin front end over the conversion layer, as
// mvgtool is one. It turns Python's arguments into the core's (keywords into choices by name,
// arrays into held values), calls the functions mvgtool calls, and turns a refusal into the
// exception Refused with the program's message. mvg/__init__.py gives the signatures, the
// documentation and the small classes over it.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "conversion/Conversion.h"
#include "conversion/GridReading.h"
#include "conversion/HeldValues.h"
#include "conversion/StabilityReport.h"
#include "grid/AsciiCase.h"
#include "grid/GridProperties.h"
#include "gridfile/GridFileReader.h"
#include "gridfile/GridPropertyReader.h"
#include "system/FileMapping.h"

namespace py = pybind11;

namespace {

// A refusal on its way to Python, where it is mvg.Refused.
struct Refusal : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void RaiseIfRefused(const Status& status) {
  if (!status.ok()) throw Refusal(status.message());
}

// Python's keywords into choices by name (x_from -> "x-from"), named in messages as keywords.
// None leaves a choice out; a flag is given by a true value; a choice of two values takes a
// pair; any other sequence is one value, its items apart by commas (pad=(10, 10, 0, 20)).
NamedChoices ChoicesFrom(const py::dict& keywords, const std::vector<OptionRule>& rules) {
  NamedChoices named;
  named.style = NamedChoices::Style::kKeywords;
  for (const auto& [key, value] : keywords) {
    std::string name = py::str(key);
    std::replace(name.begin(), name.end(), '_', '-');
    const auto rule = std::find_if(rules.begin(), rules.end(),
                                   [&name](const OptionRule& each) { return each.name == name; });
    if (rule == rules.end()) {
      throw py::type_error("unexpected keyword argument '" + std::string(py::str(key)) + "'");
    }
    if (value.is_none()) continue;
    if (!rule->takesValue) {
      if (PyObject_IsTrue(value.ptr()) == 1) named.values[name];
      continue;
    }
    if (py::isinstance<py::str>(value) || !py::isinstance<py::sequence>(value)) {
      named.values[name] = py::str(value);
      continue;
    }
    std::vector<std::string> items;
    for (const py::handle item : value) items.push_back(py::str(item));
    if (rule->takesTwo && items.size() == 2) {
      named.values[name] = items[0];
      named.seconds[name] = items[1];
      continue;
    }
    std::string joined;
    for (const std::string& item : items) joined += (joined.empty() ? "" : ",") + item;
    named.values[name] = joined;
  }
  return named;
}

py::object NoneUnless(bool known, double value) {
  return known ? py::object(py::float_(value)) : py::object(py::none());
}

// The report's figures as numbers (None for a figure the values leave unknown), the counts of
// the values that are no velocity, and its lines; None when nothing is known.
py::object StabilityFigures(const StabilityReport& report) {
  if (!report.known) return py::none();
  const bool slowest = report.SlowestKnown(), fastest = report.FastestKnown();
  py::dict figures;
  figures["slowest"] = NoneUnless(slowest, report.slowest);
  figures["slowest_is_vs"] = report.slowestIsVs;
  figures["fastest"] = NoneUnless(fastest, report.fastest);
  figures["larger_step"] = report.largerStep;
  figures["smaller_step"] = report.smallerStep;
  figures["frequency_5"] = NoneUnless(slowest, report.frequency5);
  figures["frequency_10"] = NoneUnless(slowest, report.frequency10);
  figures["time_step_2"] = NoneUnless(fastest, report.timeStep2);
  figures["time_step_4"] = NoneUnless(fastest, report.timeStep4);
  figures["nan_vp"] = report.notANumberVp;
  figures["huge_vp"] = report.hugeVp;
  figures["nan_vs"] = report.notANumberVs;
  figures["lines"] = StabilityLines(report);
  return std::move(figures);
}

// A grid file opened for Python as mvgtool info opens one, its bytes mapped in place where the
// system allows: the arrays it gives read the mapping, and keep it.
class OpenGridFile {
 public:
  explicit OpenGridFile(std::string path) : path_(std::move(path)) {
    Status opened;
    {
      py::gil_scoped_release unlocked;
      opened = input_.Open(path_);
      // An empty data block has nothing to map; a system that cannot map the file gets copies.
      mapped_ = opened.ok() && GridFileDataSize(input_.Header()) > 0 && input_.Map(mapping_).ok();
    }
    RaiseIfRefused(opened);
  }

  const std::string& Path() const { return path_; }
  const GridFileHeader& Header() const { return input_.Header(); }
  bool Mapped() const { return mapped_; }

  // Each property's values as a (nz, nx) float32 array, in the file's order; `self` owns them.
  py::list Arrays(const py::object& self) const {
    const GridFileHeader& header = Header();
    const py::ssize_t nx = std::max(header.nx, 0), nz = std::max(header.nz, 0);
    py::list arrays;
    for (std::size_t index = 0; index < header.propertyCodes.size(); ++index) {
      if (mapped_) {
        const PropertyLayout layout = LayoutOf(header, index);
        py::array values(
            py::dtype("<f4"), {nz, nx},
            {static_cast<py::ssize_t>(layout.zStride), static_cast<py::ssize_t>(layout.xStride)},
            mapping_.data() + layout.first, self);
        values.attr("flags").attr("writeable") = false;
        arrays.append(values);
        continue;
      }
      py::array_t<float> values({nz, nx});
      const std::size_t count = static_cast<std::size_t>(nx * nz);
      if (count > 0) {
        Status read;
        float* const data = values.mutable_data();
        {
          py::gil_scoped_release unlocked;
          read = ReadPropertyValues(input_, index, data, count);
        }
        RaiseIfRefused(read);
      }
      arrays.append(values);
    }
    return arrays;
  }

  py::object Stability() const {
    const GridFileHeader& header = Header();
    GridFileInfo info;
    {
      py::gil_scoped_release unlocked;
      if (mapped_) {
        const std::size_t nodes =
            static_cast<std::size_t>(GridFileDataSize(header) / 4 / header.propertyCodes.size());
        info.ranges =
            RangesOfNodes(mapping_.data() + kGridFileHeaderSize, nodes, header.propertyCodes);
      } else {
        info = ReadGridFile(path_);
      }
    }
    RaiseIfRefused(info.status);
    return StabilityFigures(StabilityOfGridFile(header, info.ranges));
  }

 private:
  std::string path_;
  GridFileInput input_;
  FileMapping mapping_;
  bool mapped_ = false;
};

// The values of a reading as an array that owns them, without a copy.
py::array OwningArray(FloatArray values, std::int32_t nx, std::int32_t nz) {
  auto* owned = new FloatArray(std::move(values));
  const py::capsule owner(owned, [](void* array) { delete static_cast<FloatArray*>(array); });
  return py::array_t<float>({static_cast<py::ssize_t>(nz), static_cast<py::ssize_t>(nx)},
                            owned->data(), owner);
}

py::dict ReadGridFor(const std::string& path, const py::dict& keywords) {
  const NamedChoices named = ChoicesFrom(keywords, GridReadingOptionRules());
  GridReadingChoices choices;
  RaiseIfRefused(TakeGridReadingOptions(named, choices));
  GridReading grid;
  {
    py::gil_scoped_release unlocked;
    grid = ReadGrid(path, path == kStandardInput ? "standard input" : path, choices, named);
  }
  RaiseIfRefused(grid.status);
  const TextGridForm& form = grid.read.form;
  py::dict read;
  read["values"] = OwningArray(std::move(grid.read.values), grid.nx, grid.nz);
  read["form"] = DescribeForm(form);
  read["skipped"] = DescribeSkippedLines(form);
  read["nx_said"] = grid.nxSaid;
  read["dx"] = NoneUnless(form.statesSteps, form.dx);
  read["dz"] = NoneUnless(form.statesSteps, form.dz);
  read["findings"] = grid.findings;
  return read;
}

// The held arrays (each a (nz, nx) float32 array in C order, with the file it maps or ""),
// written as the keywords say.
py::dict WriteFor(const std::string& path, const py::dict& arrays, const py::dict& units,
                  const py::dict& keywords, bool force) {
  const std::vector<OptionRule> rules = HeldValuesOptionRules();
  NamedChoices named = ChoicesFrom(keywords, rules);
  for (const auto& [property, unit] : units) {
    const std::string name = std::string(py::str(property)) + "-units";
    const bool known = std::any_of(rules.begin(), rules.end(),
                                   [&name](const OptionRule& rule) { return rule.name == name; });
    if (!known) {
      throw Refusal("units has no property \"" + std::string(py::str(property)) +
                    "\": give vp, density or vs");
    }
    if (unit.is_none()) continue;
    named.values[name] = py::str(unit);
    named.spellings[name] = "units[\"" + std::string(py::str(property)) + "\"]";
  }
  HeldGrid grid;
  std::string firstName;
  // The arrays, held while the conversion reads them without the interpreter's lock.
  std::vector<py::array_t<float, py::array::c_style>> held;
  for (const GridProperty& property : kGridProperties) {
    const std::string name = AsciiLower(property.name);
    if (!arrays.contains(name)) continue;
    const py::tuple given = arrays[name.c_str()];
    held.push_back(given[0].cast<py::array_t<float, py::array::c_style>>());
    const auto& values = held.back();
    const py::ssize_t nz = values.shape(0), nx = values.shape(1);
    if (!firstName.empty() && (nz != grid.nz || nx != grid.nx)) {
      throw Refusal(name + " holds " + std::to_string(nz) + " x " + std::to_string(nx) +
                    " values (nz x nx), but " + firstName + " holds " + std::to_string(grid.nz) +
                    " x " + std::to_string(grid.nx) + ": give arrays of one shape");
    }
    if (nz > INT32_MAX || nx > INT32_MAX) {
      throw Refusal(name + ": holds more than " + std::to_string(kMaxTextGridValues) + " values");
    }
    grid.nz = static_cast<std::int32_t>(nz);
    grid.nx = static_cast<std::int32_t>(nx);
    if (firstName.empty()) firstName = name;
    grid.properties[property.kind] = {values.data(), name, given[1].cast<std::string>(), {}};
  }
  ConversionRequest request;
  RaiseIfRefused(RequestForHeldValues(grid, named, path, request));
  FindingsAnswer answer;
  answer.writeDespite = [force](const std::vector<std::string>&) { return force; };
  ConversionResult result;
  {
    py::gil_scoped_release unlocked;
    result = RunConversion(request, answer);
  }
  if (!result.status.ok()) {
    const std::string choice = ChoiceNameOf(result.refused);
    throw Refusal((choice.empty() ? "" : named.Named(choice) + ": ") + result.status.message());
  }
  py::dict summary;
  summary["written"] = result.written;
  summary["findings"] = result.findings;
  if (!result.written) return summary;
  const GridFileHeader& header = result.header;
  summary["path"] = path;
  summary["nx"] = header.nx;
  summary["nz"] = header.nz;
  summary["dx"] = header.dx;
  summary["dz"] = header.dz;
  summary["properties"] = header.propertyCodes;
  summary["bytes"] = result.bytes;
  summary["prepared"] = result.prepared;
  summary["stability"] = StabilityFigures(result.stability);
  return summary;
}

}  // namespace

PYBIND11_MODULE(_mvg, module) {
  module.doc() = "The native part of mvg: the conversion layer of MorvTxtMvg, bound to Python.";
  module.attr("__version__") = MVG_VERSION;
  py::register_exception<Refusal>(module, "Refused");

  py::class_<OpenGridFile>(module, "GridFile")
      .def(py::init<std::string>())
      .def_property_readonly("path", &OpenGridFile::Path)
      .def_property_readonly("nx", [](const OpenGridFile& file) { return file.Header().nx; })
      .def_property_readonly("nz", [](const OpenGridFile& file) { return file.Header().nz; })
      .def_property_readonly("dx", [](const OpenGridFile& file) { return file.Header().dx; })
      .def_property_readonly("dz", [](const OpenGridFile& file) { return file.Header().dz; })
      .def_property_readonly("x_extent",
                             [](const OpenGridFile& file) { return file.Header().xExtent; })
      .def_property_readonly("z_extent",
                             [](const OpenGridFile& file) { return file.Header().zExtent; })
      .def_property_readonly("properties",
                             [](const OpenGridFile& file) { return file.Header().propertyCodes; })
      .def_property_readonly("mapped", &OpenGridFile::Mapped)
      .def("arrays",
           [](const py::object& self) { return self.cast<const OpenGridFile&>().Arrays(self); })
      .def("stability", &OpenGridFile::Stability);

  module.def("read_grid", &ReadGridFor, py::arg("path"), py::arg("keywords"));
  module.def("write", &WriteFor, py::arg("path"), py::arg("arrays"), py::arg("units"),
             py::arg("keywords"), py::arg("force"));
}
