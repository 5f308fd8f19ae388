// TTypedIniFile: the settings-file reader of the menu, adding colours, fonts and object callbacks.
#pragma once

#include <functional>

#include "core/Colors.h"
#include "core/Font.h"
#include "settings/IniFile.h"

class TTypedIniFile;

// Makes an object from a stored value; the caller owns what it returns.
using TReadObjectEvent = std::function<TObject*(TTypedIniFile& Sender, const std::string& Section,
                                                const std::string& Item, const std::string& Value)>;
using TWriteObjectEvent = std::function<void(TTypedIniFile& Sender, const std::string& Section,
                                             const std::string& Item, TObject* Obj)>;

class TTypedIniFile : public TIniFile {
 public:
  explicit TTypedIniFile(std::string FileName) : TIniFile(std::move(FileName)) {}

  // The colour in the key's text form, else Default; never raises.
  TColor ReadColor(const std::string& Section, const std::string& Ident, TColor Default);
  void WriteColor(const std::string& Section, const std::string& Ident, TColor Value);
  // Applies the key's font text to Font, as far as it is valid, and returns Font; never raises.
  // A missing key applies Font's own text, which sets the size again in whole points.
  TFont& ReadFont(const std::string& Section, const std::string& Ident, TFont& Font);
  void WriteFont(const std::string& Section, const std::string& Ident, const TFont& Font);

  // The base of the key names of stored lists: Item0, Item1, ...
  const std::string& GetItemName() const { return FItemName; }
  void SetItemName(const std::string& Value) { FItemName = Value; }

  // Nothing unless OnReadObject is set.
  virtual TObject* ReadObject(const std::string& Section, const std::string& Item,
                              const std::string& Value);
  // Nothing unless OnWriteObject is set.
  virtual void WriteObject(const std::string& Section, const std::string& Item, TObject* Obj);

  TReadObjectEvent OnReadObject;
  TWriteObjectEvent OnWriteObject;

 private:
  std::string FItemName = "Item";
};
