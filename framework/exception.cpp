#include "framework/exception.h"

#include <utility>

// Out of line on purpose: the return address is then the code that raised it.
Exception::Exception(std::string message)
    : message_(std::move(message)), address_(__builtin_extract_return_addr(__builtin_return_address(0)))
{
}
