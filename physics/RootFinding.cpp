#include "RootFinding.h"

#include "QuietGsl.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_roots.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr int kMaxIterations = 200;

double callFunction(double x, void *function)
{
    return (*static_cast<const std::function<double(double)> *>(function))(x);
}

} // namespace

double FindRoot(const std::function<double(double)> &f, double lo, double hi, double absoluteTolerance,
                double relativeTolerance)
{
    QuietGsl();
    gsl_function g{&callFunction, const_cast<std::function<double(double)> *>(&f)};
    const std::unique_ptr<gsl_root_fsolver, decltype(&gsl_root_fsolver_free)> solver(
        gsl_root_fsolver_alloc(gsl_root_fsolver_brent), &gsl_root_fsolver_free);
    if (!solver || gsl_root_fsolver_set(solver.get(), &g, lo, hi) != GSL_SUCCESS)
        throw std::runtime_error("the zero could not be bracketed");
    for (int i = 0; i < kMaxIterations; ++i) {
        if (gsl_root_fsolver_iterate(solver.get()) != GSL_SUCCESS)
            break;
        lo = gsl_root_fsolver_x_lower(solver.get());
        hi = gsl_root_fsolver_x_upper(solver.get());
        if (gsl_root_test_interval(lo, hi, absoluteTolerance, relativeTolerance) == GSL_SUCCESS)
            break;
    }
    return gsl_root_fsolver_root(solver.get());
}
