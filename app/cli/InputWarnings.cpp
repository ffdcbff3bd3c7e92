#include "app/cli/InputWarnings.h"

#include <iostream>

namespace orvexp {

void PrintInputProblems(const std::vector<TInputProblem>& problems)
{
    for (const TInputProblem& problem : problems) std::cerr << "orvexp: warning: " << problem.Text << '\n';
    std::cerr.flush();
}

} // namespace orvexp
