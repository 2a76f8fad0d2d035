// Error raised while reading a case file, a material file or a climate file: names the
// file, the field inside it and what is wrong, so the user can fix the input directly.
#ifndef TAMO1D_CASE_ERROR_H
#define TAMO1D_CASE_ERROR_H

#include <stdexcept>
#include <string>

namespace tamo1d {

class CaseError : public std::runtime_error {
 public:
  CaseError(std::string file, std::string field, std::string problem)
      : std::runtime_error(compose(file, field, problem)),
        file_(std::move(file)),
        field_(std::move(field)),
        problem_(std::move(problem)) {}

  const std::string& file() const { return file_; }
  const std::string& field() const { return field_; }
  const std::string& problem() const { return problem_; }

 private:
  static std::string compose(const std::string& file, const std::string& field,
                             const std::string& problem) {
    std::string text = file;
    if (!field.empty()) text += ": field '" + field + "'";
    return text + ": " + problem;
  }

  std::string file_;     // path of the offending input file
  std::string field_;    // dotted path of the field inside it ("" for the whole file)
  std::string problem_;  // what is wrong, in plain words
};

}  // namespace tamo1d

#endif
