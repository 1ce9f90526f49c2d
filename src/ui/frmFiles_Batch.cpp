// The batch rename run.
#include "frmFiles.h"

void frmFiles::cmdBatch_Click() {}
