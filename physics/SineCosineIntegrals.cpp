#include "SineCosineIntegrals.h"

#include "QuietGsl.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_sf_expint.h>

#include <stdexcept>

double SineIntegral(double x)
{
    QuietGsl();
    gsl_sf_result result;
    if (gsl_sf_Si_e(x, &result) != GSL_SUCCESS)
        throw std::domain_error("sine integral out of range");
    return result.val;
}

double CosineIntegral(double x)
{
    QuietGsl();
    gsl_sf_result result;
    if (gsl_sf_Ci_e(x, &result) != GSL_SUCCESS)
        throw std::domain_error("cosine integral out of range");
    return result.val;
}
