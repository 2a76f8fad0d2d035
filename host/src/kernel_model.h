// Owns one library context and defines the case's model in it: grid, solver switches,
// materials with their functions, surface conditions and sources, in the calling order
// the library requires.
#ifndef TAMO1D_KERNEL_MODEL_H
#define TAMO1D_KERNEL_MODEL_H

#include <cstdint>
#include <string>
#include <vector>

#include "case_model.h"
#include "grid_builder.h"

namespace tamo1d {

class KernelContext {
 public:
  KernelContext();  // throws std::runtime_error when the library has no context to give
  ~KernelContext();
  KernelContext(const KernelContext&) = delete;
  KernelContext& operator=(const KernelContext&) = delete;

  int32_t handle() const { return handle_; }

 private:
  int32_t handle_ = 0;
};

// Library material numbers: material k (1-based) is materialOrder[k-1], the materials in
// the order the layers first use them.
std::vector<std::string> materialOrder(const Case& c);

// Builds the grid for the case with the numbering of materialOrder.
Grid buildCaseGrid(const Case& c, const std::vector<std::string>& order);

// Defines everything in the context. A call the library refuses becomes a CaseError that
// names the case field behind it.
void defineModel(const KernelContext& context, const Case& c, const Grid& grid,
                 const std::vector<std::string>& order);

}  // namespace tamo1d

#endif
