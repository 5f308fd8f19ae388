// Drives the controls' timer pool from the application's tick.
#include "app/TimerDrive.h"

#include "controls/core/KitApplicationInstance.h"
#include "framework/Application.h"

void DriveTimerPool(TApplication& App) {
  TKitTimerPool& Pool = KitApplication().TimerPool();
  Pool.OnNeedsTicksChange = [&App, &Pool](TObject*) { App.SetTicking(Pool.NeedsTicks()); };
  Pool.OnError = [&App](TObject*, std::exception_ptr Error) {
    try {
      std::rethrow_exception(Error);
    } catch (const std::exception& E) {
      App.ShowException(E);
    }
  };
  App.SetTickHandler([&Pool] { Pool.Tick(); });
  App.SetTicking(Pool.NeedsTicks());
}
