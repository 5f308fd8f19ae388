// The enumerations shared by the family's containers and list items.
#pragma once

// The folder that a relative file name of an external item source is taken from.
enum class TKitPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };

// Where a container's items come from: its own stored data, or an external source.
enum class TKitContainerSource { sdComponent, sdFile, sdAppResource, sdLibResource, sdPath };

// The kind of items a container holds.
enum class TKitListItemClassType {
  icImageList,
  icBitmap,
  icWave,
  icStringList,
  icGeneric,
  icRTF,
  icInvalid
};

// The colour depth a bitmap is reduced to when an item is stored.
enum class TKitSavePixelFormat { spfDefault, spfMono, spf4bit, spf8bit };
