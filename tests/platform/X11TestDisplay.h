// Virtual X displays for the X11 tests: an Xvfb of their own, the window system on it, a second
// connection that looks at what it did, and helpers that drive and wait for events.
#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"
#include "support/ScopedEnv.h"

bool XvfbInstalled();

// A virtual X server that picks a free display number itself and says which through a pipe. It
// does not reset when its last client goes, which would refuse the next test's connections.
class TXvfb {
 public:
  // ScreenGeometry is Xvfb's WIDTHxHEIGHTxDEPTH of screen 0; Extra are further arguments.
  explicit TXvfb(const std::string& ScreenGeometry, const std::vector<std::string>& Extra = {});
  ~TXvfb();
  TXvfb(const TXvfb&) = delete;
  TXvfb& operator=(const TXvfb&) = delete;

  // ":<n>", or empty when the server did not start.
  const std::string& Name() const { return FDisplay; }

 private:
  pid_t FPid = -1;
  std::string FDisplay;
};

// The window system under test on $DISPLAY and a second connection that looks at what it did.
struct TSession {
  TSession();
  ~TSession();
  TSession(const TSession&) = delete;
  TSession& operator=(const TSession&) = delete;

  std::string Error;
  std::unique_ptr<TWindowSystem> System;
  Display* Probe = nullptr;
};

// Tests on the display that the whole run shares; they fail when the window system reported
// an X error, unless they expect one.
class TX11SessionTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TWindowSystem& System() { return *Session->System; }
  Display* Probe() { return Session->Probe; }

  std::unique_ptr<TSession> Session;
  unsigned Errors = 0;
  bool ExpectErrors = false;
};

::Window HandleOf(const TNativeWindow& Native);
Atom AtomOf(Display* Dpy, const char* Name);
// A round trip on the window system's connection: the server has handled all it was sent
// before another client looks.
void Sync(TWindowSystem& System);
void RunCommand(const std::string& Command);

// Events until one matches, at most about TimeoutMs; the others are dropped.
std::optional<TWindowEvent> WaitFor(TWindowSystem& System,
                                    const std::function<bool(const TWindowEvent&)>& Wanted,
                                    int TimeoutMs = 3000);
std::optional<TWindowEvent> WaitForKind(TWindowSystem& System, TWindowEvent::TKind Kind);
// Every event that comes until the display has been quiet for a moment.
std::vector<TWindowEvent> Drain(TWindowSystem& System);

TWindowOptions Options(int Width, int Height);
// A window shown at (100, 80) on the screen whose first exposure has been read.
std::unique_ptr<TNativeWindow> ShownWindow(TWindowSystem& System, const TWindowOptions& Opts);
