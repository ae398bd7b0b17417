#include "platform/ClassRegistry.h"

#include <algorithm>
#include <vector>

namespace {

// Made on first use, so that registration from any start-up code finds it.
std::vector<const TClassInfo*>& Registered() {
  static std::vector<const TClassInfo*> List;
  return List;
}

}  // namespace

void RegisterClass(const TClassInfo& Info) {
  std::vector<const TClassInfo*>& List = Registered();
  if (std::find(List.begin(), List.end(), &Info) == List.end()) List.push_back(&Info);
}

void UnRegisterClass(const TClassInfo& Info) {
  std::vector<const TClassInfo*>& List = Registered();
  List.erase(std::remove(List.begin(), List.end(), &Info), List.end());
}

const TClassInfo* GetClass(const QString& Name) {
  for (const TClassInfo* Info : Registered())
    if (Info->Name.compare(Name, Qt::CaseInsensitive) == 0) return Info;
  return nullptr;
}

const TClassInfo* GetClass(const std::type_info& Type) {
  const std::type_index Wanted(Type);
  for (const TClassInfo* Info : Registered())
    if (Info->Type == Wanted) return Info;
  return nullptr;
}
