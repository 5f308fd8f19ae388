// The framework's timer service: the running application's periodic tick, which a timer pool
// asks for while it holds timers, and the place where errors its handlers raise are shown.
#pragma once

#include <exception>
#include <functional>

class TTimerService {
 public:
  virtual ~TTimerService() = default;
  // Handler runs once a tick while ticking is on; with ticking off nothing runs and the message
  // loop sleeps until an event comes.
  virtual void SetTickHandler(std::function<void()> Handler) = 0;
  virtual void SetTicking(bool Value) = 0;
  // Starts the tick's period anew while ticking: the next tick comes a whole period from now.
  virtual void RestartTick() = 0;
  // Shows an error that escaped a handler, as for any event handler.
  virtual void ShowException(const std::exception& Error) = 0;
};

// The tick of the running application (the global Application); nullptr while there is none.
TTimerService* RunningTimerService();
