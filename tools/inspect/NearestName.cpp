// The known name closest to a misspelt one.
#include "NearestName.h"

#include "MenuKeys.h"

#include <algorithm>

namespace {

// Edits from A to B, a neighbouring swap counting as one; names are short, so the full table
// is cheap.
std::size_t EditDistance(const std::string& A, const std::string& B) {
  std::vector<std::vector<std::size_t>> D(A.size() + 1, std::vector<std::size_t>(B.size() + 1));
  for (std::size_t I = 0; I <= A.size(); ++I) D[I][0] = I;
  for (std::size_t J = 0; J <= B.size(); ++J) D[0][J] = J;
  for (std::size_t I = 1; I <= A.size(); ++I)
    for (std::size_t J = 1; J <= B.size(); ++J) {
      const std::size_t Cost = A[I - 1] == B[J - 1] ? 0 : 1;
      D[I][J] = std::min({D[I - 1][J] + 1, D[I][J - 1] + 1, D[I - 1][J - 1] + Cost});
      if (I > 1 && J > 1 && A[I - 1] == B[J - 2] && A[I - 2] == B[J - 1])
        D[I][J] = std::min(D[I][J], D[I - 2][J - 2] + 1);
    }
  return D[A.size()][B.size()];
}

}  // namespace

std::string NearestName(const std::string& Name, const std::vector<std::string>& Candidates) {
  const std::string Wanted = Folded(Name);
  // Longer names would make the table large and are no misspelt key.
  if (Wanted.empty() || Wanted.size() > 64) return "";
  const std::size_t Allowed = std::max<std::size_t>(1, Wanted.size() / 3);
  std::string Best;
  std::size_t BestDistance = Allowed + 1;
  for (const std::string& Candidate : Candidates) {
    const std::size_t Distance = EditDistance(Wanted, Folded(Candidate));
    if (Distance < BestDistance) {
      Best = Candidate;
      BestDistance = Distance;
    }
  }
  return Best;
}
