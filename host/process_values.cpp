// The one record of process-wide values of the plug-in boundary.
#include "host/process_values.h"

namespace host {

ProcessValues& processValues() {
  static ProcessValues values;
  return values;
}

}  // namespace host
