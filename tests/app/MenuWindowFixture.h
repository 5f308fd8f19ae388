// A menu window on the headless display: its folder, the launches the shell would make, and
// every dialog, logged and answered with a key.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/MessageDialog.h"
#include "platform/headless/HeadlessWindowSystem.h"
#include "support/HeadlessDialogs.h"
#include "support/TempDir.h"

struct TLaunch {
  std::string FileName, Parameters, Directory;
};

class TMenuWindowFixture : public testing::Test {
 protected:
  void SetUp() override {
    App.SetExeName(Dir.File("ostrel"));
    App.OnException = [this](const std::exception& E) { Errors.push_back(E.what()); };
    System.OnShellOpen = [this](const THeadlessLaunch& Launch) {
      Launches.push_back({Launch.FileName, Launch.Parameters, Launch.Directory});
      Log.push_back("launch");
    };
  }

  void WriteBackground(int Width, int Height, const std::string& Name = "menu.bmp") {
    TBitmap Picture(Width, Height);
    Picture.SaveToFile(Dir.File(Name));
  }

  // Every dialog that opens is logged with its window caption, its text kept in Dialogs, and
  // answered with Key (Enter: OK or Yes; Escape: No).
  void AnswerDialogs(unsigned Key = vkReturn) {
    System.OnWait = [this, Key] {
      THeadlessWindow* Window = VisibleDialog(System);
      if (!Window) return;
      Log.push_back("dialog " + Window->Caption);
      for (int I = 0; I < App.ComponentCount(); ++I)
        if (auto* Form = dynamic_cast<TMessageForm*>(App.Components(I)))
          Dialogs.push_back(Form->Text());
      PostKey(System, Window, Key);
    };
  }

  // The button of the entry at a 0-based index.
  TControl* ButtonOf(TForm1& Form, int Index) { return Form.RunPanel->Controls(Index); }

  TTempDir Dir;
  THeadlessWindowSystem System;
  TApplication App{System};
  std::vector<TLaunch> Launches;
  std::vector<std::string> Log;
  std::vector<std::string> Dialogs;
  std::vector<std::string> Errors;
};
