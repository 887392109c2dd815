#include "../backend.h"
namespace plat {
std::unique_ptr<Backend> CreateGtkBackend() { return nullptr; }
}
