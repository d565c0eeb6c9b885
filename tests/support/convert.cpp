#include "support/convert.hpp"

#include <stdexcept>

#include "converters/catalogue.hpp"

namespace korvath::test {

std::string Converted::file(std::size_t i) const {
  return std::filesystem::exists(outputs.at(i)) ? read_file(outputs.at(i)) : std::string();
}

Session::Session(std::string_view input_name, std::string_view bytes) : input(dir / input_name) {
  write_file(input, bytes);
  ui.folder = dir.path().string();
  ui.open_answers.push_back(input);
}

void Session::save(const std::vector<std::string_view>& names) {
  for (std::string_view name : names) ui.save_answers.push_back(dir / name);
}

std::string Session::out(std::string_view name) const {
  return std::filesystem::exists(dir / name) ? read_file(dir / name) : "<missing>";
}

Converted convert_bytes(std::string_view command_id, std::string_view input,
                        const InputAdvice& advice) {
  const ConversionCommand* command = find_command(command_id);
  if (!command) throw std::invalid_argument("no command " + std::string(command_id));
  Converted c{
      Outcome::Status::ended, std::nullopt, {}, std::make_unique<TempDir>(), {}, {}, {}, {}};
  const std::string input_path = *c.dir / "input.dat";
  write_file(input_path, input);
  c.ui.folder = c.dir->path().string();
  c.ui.open_answers.push_back(input_path);
  if (command->outputs == Outputs::coordinates) {
    c.ui.save_answers.push_back(*c.dir / "coords");
    c.outputs = {*c.dir / "coords.seq"};
  } else {
    c.ui.save_answers.push_back(*c.dir / "stations");
    c.ui.save_answers.push_back(*c.dir / "points");
    c.outputs = {*c.dir / "stations.txm", *c.dir / "points.txm"};
  }
  Outcome outcome = run_command(*command, c.ui, advice);
  c.status = outcome.status;
  c.error = std::move(outcome.error);
  c.notes = std::move(outcome.notes);
  c.fit_warning = std::move(outcome.fit_warning);
  c.written = std::move(outcome.written);
  return c;
}

}  // namespace korvath::test
