// The compressed container of stored bitmap data: a 32-bit total, then each compressed block as a
// 32-bit length and its bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "controls/panel/KitStoreStream.h"

// Writes Source in blocks of at most KitBlockSize bytes. Raises EKitStoreError when the total
// would not fit its 32-bit field.
void KitWriteCompressed(TKitStoreWriter& Stream, std::string_view Source);

// Reads a container written by KitWriteCompressed and returns the bytes it stands for. Raises
// EKitStoreError for truncated or inconsistent data, a malformed block, or a result longer than
// MaxSize, which is never allocated.
std::string KitReadCompressed(TKitStoreReader& Stream, std::size_t MaxSize);
