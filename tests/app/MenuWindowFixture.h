// A menu window on the headless display: its folder, the launches the shell would make, and
// every dialog, logged and answered with a key.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/MessageDialog.h"
#include "platform/headless/HeadlessDriver.h"
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

  // A shown menu of the given entry sections, numbered in order, kept open after a start, its
  // dialogs answered with Enter.
  TForm1* MenuOf(const std::vector<std::string>& Entries, int Width = 40, int Height = 40) {
    WriteBackground(Width, Height);
    std::string Ini =
        "[Main]\nAppTaskName=Menu\nProgCount=" + std::to_string(Entries.size()) + "\n";
    for (std::size_t I = 0; I < Entries.size(); ++I)
      Ini +=
          "[Prog_" + std::to_string(I + 1) + "]\n" + Entries[I] + "\n" +
          (Entries[I].find("TerminateAfterStart") == std::string::npos ? "TerminateAfterStart=0\n"
                                                                       : "");
    Dir.Write("menu.ini", Ini);
    auto* Form = App.CreateForm<TForm1>(MenuFolder());
    Form->Show();
    AnswerDialogs();
    return Form;
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
  THeadlessDriver System;
  TApplication App{System};
  std::vector<TLaunch> Launches;
  std::vector<std::string> Log;
  std::vector<std::string> Dialogs;
  std::vector<std::string> Errors;
};
