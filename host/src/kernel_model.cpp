#include "kernel_model.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "case_error.h"
#include "kernel_lock.h"
#include "tamo1dkernel.h"

namespace tamo1d {

namespace {

const char* kFunctionFields[7] = {"storage",
                                  "liquid_suction",
                                  "liquid_redistribution",
                                  "conductivity_moisture",
                                  "conductivity_temperature",
                                  "vapour_resistance",
                                  "enthalpy"};

void check(int32_t code, const Case& c, const std::string& field, const std::string& what) {
  if (code != TAMO_OK) {
    throw CaseError(c.file, field,
                    "the library refused " + what + ": " + tamoResultName(code) + " (" +
                        std::to_string(code) + ")");
  }
}

int32_t flag(bool b) {
  return b ? 1 : 0;
}

}  // namespace

KernelContext::KernelContext() {
  {
    const std::lock_guard lock(kernelMutex());
    handle_ = tamoCreateContext();
  }
  if (handle_ < 1) throw std::runtime_error("the library could not create a context");
}

KernelContext::~KernelContext() {
  const std::lock_guard lock(kernelMutex());
  tamoDeleteContext(handle_);
}

std::vector<std::string> materialOrder(const Case& c) {
  std::vector<std::string> order;
  for (const LayerDefinition& l : c.layers) {
    if (std::find(order.begin(), order.end(), l.material) == order.end()) {
      order.push_back(l.material);
    }
  }
  return order;
}

Grid buildCaseGrid(const Case& c, const std::vector<std::string>& order) {
  std::vector<int32_t> numbers;
  for (const LayerDefinition& l : c.layers) {
    const auto it = std::find(order.begin(), order.end(), l.material);
    numbers.push_back(static_cast<int32_t>(it - order.begin()) + 1);
  }
  return buildGrid(c.layers, numbers);
}

void defineModel(const KernelContext& context, const Case& c, const Grid& grid,
                 const std::vector<std::string>& order) {
  const int32_t h = context.handle();
  const std::lock_guard lock(kernelMutex());
  check(tamoSetGrid(h, grid.interfaceCount(), grid.positions.data(), c.innerRadius,
                    grid.materials.data()),
        c, "layers", "the grid");
  const SolverSwitches& s = c.solver;
  check(tamoSetParameter1(h, flag(s.heatTransport), flag(s.moistureTransport),
                          flag(s.liquidTransport), flag(s.fineConvergence),
                          flag(s.stabilisedIteration), 0, flag(s.evaporation),
                          flag(s.temperatureDependentEvaporation), flag(s.fusion), 0, 0, 0),
        c, "solver", "the solver switches");

  for (std::size_t k = 0; k < order.size(); ++k) {
    const MaterialDefinition& m = c.materials.at(order[k]);
    const int32_t number = static_cast<int32_t>(k) + 1;
    const std::string field = "materials." + m.key;
    check(tamoSetMaterial(h, number, m.density, m.porosity, m.heatCapacity, flag(m.vapourTight)), c,
          field, "the dry properties of material \"" + m.key + "\" (" + m.origin + ")");
    // Kinds in ascending order: storage before the liquid functions, conductivity over
    // water content before conductivity over temperature.
    for (const MaterialFunction& f : m.functions) {
      const std::string what = "function " + std::string(kFunctionFields[f.kind - 1]) +
                               " of material \"" + m.key + "\" (" + m.origin + ")";
      const std::string at = field + "." + kFunctionFields[f.kind - 1];
      if (f.given) {
        check(tamoSetMaterialFunction(h, number, f.kind, f.analytic,
                                      static_cast<int32_t>(f.xs.size()), f.xs.data(), f.ys.data()),
              c, at, what);
      } else if (f.kind == 5) {
        // Without a temperature dependence the conductivity over temperature is the dry
        // value of the conductivity over water content.
        check(tamoSetMaterialFunction(h, number, 5, 0, 0, nullptr, nullptr), c, at, what);
      }
    }
  }

  const SurfaceDefinition& a = c.surfaces[0];
  const SurfaceDefinition& b = c.surfaces[1];
  check(tamoSetSurfaceCondition(h, c.surfacePressure, a.heatTransfer, a.sd, a.absorptivity,
                                a.emissivity, a.rainAbsorption, a.radiativePart,
                                flag(a.explicitLongWave), b.heatTransfer, b.sd, b.absorptivity,
                                b.emissivity, b.rainAbsorption, b.radiativePart,
                                flag(b.explicitLongWave)),
        c, "surfaces", "the surface conditions");

  for (std::size_t i = 0; i < c.sources.size(); ++i) {
    const SourceDefinition& src = c.sources[i];
    const int32_t number = static_cast<int32_t>(i) + 1;
    const std::string field = "sources[" + std::to_string(i) + "]";
    check(tamoSetSource(h, number, src.type, src.subtype, src.side, src.start, src.thickness,
                        src.values.data()),
          c, field, "the source");
    // The update spreads the value over the source's cells (per component area) and takes
    // it per second; a moisture source is given in kg/(m2 h). Coupled to a side, the value
    // is a share of that side's rain, which the library converts itself.
    std::array<double, 3> perSecond = src.values;
    if (src.type == 1 && src.subtype == 0 && src.side == 0) perSecond[0] = src.values[0] / 3600.0;
    check(tamoUpdateSource(h, number, perSecond.data()), c, field, "the source value");
  }
}

}  // namespace tamo1d
