// Fuzz target: the stored form of a bitmap list item, and a read item stored and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "controls/panel/KitBitmapListItem.h"
#include "controls/panel/KitStoreStream.h"
#include "core/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TKitBitmapListItem Item(nullptr);
  TKitStoreReader Reader(std::string_view(reinterpret_cast<const char*>(Data), Size));
  try {
    Item.ReadData(Reader);
  } catch (const EKitStoreError&) {
    return 0;
  } catch (const EInvalidGraphic&) {
    return 0;
  } catch (const EOutOfResources&) {
    return 0;
  }
  // An item that was read must store a form that reads back to the same item.
  TKitStoreWriter Writer;
  Item.WriteData(Writer);
  TKitBitmapListItem Copy(nullptr);
  TKitStoreReader Again(Writer.Bytes());
  Copy.ReadData(Again);
  if (Again.Remaining() != 0 || Copy.WriteFlag() != Item.WriteFlag() ||
      Copy.Description() != Item.Description().substr(0, 255) || Copy.Ident() != Item.Ident() ||
      Copy.GetBitmap().Width() != Item.GetBitmap().Width() ||
      Copy.GetBitmap().Height() != Item.GetBitmap().Height())
    std::abort();
  return 0;
}
