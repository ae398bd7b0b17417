#include "app/report/Richeditolecallback.h"

bool RichEditOleCallback::QueryAcceptData(TDataOrigin Origin) const {
  return Origin != TDataOrigin::doDrop || FAcceptDroppedData;
}
