#include "app/doc.h"

void Doc::DeclareProperties(Kor::PropertyMapClassBase&) {}
