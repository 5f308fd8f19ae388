// Drives the controls' timer pool from the application's tick, which then runs only while the
// pool holds timers.
#pragma once

class TApplication;

void DriveTimerPool(TApplication& App);
