// The menu window's face as the menu program paints it, drawn on the headless display and saved
// as a PNG picture, with one entry's button optionally hot or held.
#pragma once

#include <string>

// What the pointer does to the chosen entry's button before the face is saved.
enum class TRenderPose { rpNone, rpHot, rpDown };

struct TRenderRequest {
  // The folder whose menu.ini is drawn, as the menu program finds it beside its executable.
  std::string MenuDir;
  std::string PngFile;
  TRenderPose Pose = TRenderPose::rpNone;
  // The 0-based entry the pose applies to.
  int Entry = 0;
  // The desktop scale the menu is drawn at, as the program draws it on a screen large enough
  // for it.
  double Scale = 1;
};

// Draws the window and saves its face. Returns false with Refusal set when the entry does not
// exist or cannot take the pose (disabled, or another button lies over its centre). Raises what
// building the window raises (a missing or invalid background) and what saving raises.
bool RenderMenu(const TRenderRequest& Request, std::string& Refusal);
