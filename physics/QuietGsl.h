#pragma once
// GSL's errors come back as statuses, never abort the program: GSL's own
// handler, which aborts, is turned off once, before the first call.
void QuietGsl();
