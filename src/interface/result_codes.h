// Result codes of the exported operations (mirrors the public header's enum).
#pragma once

#include <cstdint>

namespace tamo {

inline constexpr int32_t kOk = 0;
inline constexpr int32_t kInvalidHandle = -1;
inline constexpr int32_t kBadMaterial = -2;
inline constexpr int32_t kBadFunctionKind = -3;
inline constexpr int32_t kBadMaterialCount = -6;
inline constexpr int32_t kNoGrid = -7;
inline constexpr int32_t kBadSourceKind = -8;
inline constexpr int32_t kBadSourceNumber = -9;
inline constexpr int32_t kBadFlag = -10;
inline constexpr int32_t kNoMemory = -11;
inline constexpr int32_t kBadTableLength = -12;
inline constexpr int32_t kAlreadySet = -13;
inline constexpr int32_t kDiverged = -20;
inline constexpr int32_t kNullArray = -21;
inline constexpr int32_t kBadArgument = -22;

}  // namespace tamo
