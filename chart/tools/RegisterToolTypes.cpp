#include "chart/tools/RegisterToolTypes.h"

#include "chart/core/TKorToolTypes.h"

namespace {

std::vector<TKorToolClass> ToolClasses() {
  return {};
}

}  // namespace

void RegisterToolTypes() {
  RegisterKorTools(ToolClasses());
}

void UnRegisterToolTypes() {
  UnRegisterKorTools(ToolClasses());
}
