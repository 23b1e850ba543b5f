#include "QuietGsl.h"

#include <gsl/gsl_errno.h>

#include <mutex>

void QuietGsl()
{
    static std::once_flag once;
    std::call_once(once, [] { gsl_set_error_handler_off(); });
}
