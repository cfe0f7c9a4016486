// SPDX-License-Identifier: GPL-3.0-or-later
// The setup screen's checks on any answers at all. The bytes give the five texts and the
// numbers; a flag before each list answer picks a real state or position instead, so that the
// fuzzer gets past those checks too.
//
// Properties: Start makes a career exactly when the checks pass; a career it makes keeps every
// rule of a career between weeks (its save reads back to the byte) and saves to CareerName +
// ".kms" inside the data folder; a name the checks take reads back from Windows-1252 unchanged.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/game_data.h"
#include "core/invariants.h"
#include "core/new_career.h"
#include "core/save_file.h"
#include "core/text_file.h"
#include "fuzz_support.h"
#include "support/scripted_ports.h"

namespace {

using km::fuzz::Require;

template <typename List>
std::string ListAnswer(FuzzedDataProvider& in, const List& list) {
  if (in.ConsumeBool()) {
    return std::string(list[in.ConsumeIntegralInRange<std::size_t>(0, list.size() - 1)]);
  }
  return in.ConsumeRandomLengthString(40);
}

km::SetupAnswers Answers(FuzzedDataProvider& in) {
  km::SetupAnswers a;
  a.careerName = in.ConsumeRandomLengthString(64);
  a.name = in.ConsumeRandomLengthString(64);
  a.city = in.ConsumeRandomLengthString(16);
  a.state = ListAnswer(in, km::kStates);
  a.position = ListAnswer(in, km::kPositions);
  // The lists and scroll bars offer nothing else.
  a.height = in.ConsumeIntegralInRange(160, 205);
  a.weight = in.ConsumeIntegralInRange(60, 110);
  for (int* skill : {&a.kicking, &a.handballing, &a.tackling, &a.marking, &a.running}) {
    *skill = in.ConsumeIntegralInRange(1, 100);
  }
  return a;
}

void KeepsTheRules(const km::Career& career, const std::string& what) {
  const auto broken = km::CheckInvariants(career);
  Require(broken.empty(), what + (broken.empty() ? "" : broken[0]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const km::SetupAnswers first = Answers(in);
  const km::SetupAnswers second = Answers(in);
  const std::string newPosition = ListAnswer(in, km::kPositions);

  for (const std::string& name : {first.name, first.careerName}) {
    Require(!km::IsFileNameSafe(name) || km::FromWindows1252(km::ToWindows1252(name)) == name,
            "a name taken at setup does not read back from the save's code page: " + name);
  }

  // Two presses of Start on one setup screen, as a player who fixes the
  // answers after a refusal would make them.
  km::NewCareer setup;
  km::testing::ScriptedPrompter prompter;  // every question answered No
  for (const km::SetupAnswers* answers : {&first, &second}) {
    const auto problem = km::CheckSetupAnswers(*answers);
    const std::size_t before = prompter.messages.size();
    const auto career = setup.Start(*answers, prompter);
    Require(career.has_value() == !problem.has_value(),
            "Start and the answer checks disagree on whether the answers are in order");
    if (problem) {
      Require(prompter.messages.size() > before && prompter.messages[before].text == *problem,
              "a refused Start did not show the first failing check's message");
      continue;
    }
    KeepsTheRules(*career, "a new career breaks a rule: ");
    const std::filesystem::path folder("data folder");
    const auto file = km::SaveFilePath(folder, *career);
    Require(file.parent_path() == folder &&
                file.filename().string() == answers->careerName + km::kSaveExtension,
            "the save file of a new career is not CareerName.kms in the data folder");

    km::Career moved = *career;
    Require(km::ChangePosition(moved, newPosition, prompter) == km::IsPosition(newPosition),
            "the position screen took no position");
    KeepsTheRules(moved, "a change of position breaks a rule: ");
  }
  return 0;
}
