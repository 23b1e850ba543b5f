#include "Quadrature.h"

#include "QuietGsl.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_integration.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr std::size_t kPanels = 4000;

double callFunction(double x, void *function)
{
    return (*static_cast<const std::function<double(double)> *>(function))(x);
}

} // namespace

double Integrate(const std::function<double(double)> &f, double a, double b, double absoluteTolerance,
                 double relativeTolerance)
{
    QuietGsl();
    const std::unique_ptr<gsl_integration_workspace, decltype(&gsl_integration_workspace_free)> workspace(
        gsl_integration_workspace_alloc(kPanels), &gsl_integration_workspace_free);
    gsl_function g{&callFunction, const_cast<std::function<double(double)> *>(&f)};
    double result = 0.0;
    double error = 0.0;
    if (!workspace
        || gsl_integration_qag(&g, a, b, absoluteTolerance, relativeTolerance, kPanels, GSL_INTEG_GAUSS61,
                               workspace.get(), &result, &error)
               != GSL_SUCCESS)
        throw std::runtime_error("the integral did not reach its tolerance");
    return result;
}
