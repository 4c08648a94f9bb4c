#include "app/error_description.h"

#include <exception>
#include <new>

#include "base/errors.h"

ErrorDescription DescribeCurrentError() {
  try {
    throw;
  } catch (const EAbort& error) {
    return {ErrorDescription::Silent, error.ClassName(), error.Message()};
  } catch (const Exception& error) {
    return {ErrorDescription::Error, error.ClassName(), error.Message()};
  } catch (const std::bad_alloc&) {
    const EOutOfMemory error;
    return {ErrorDescription::Error, error.ClassName(), error.Message()};
  } catch (const std::exception& error) {
    return {ErrorDescription::Error, "Exception", error.what()};
  } catch (...) {
    return {ErrorDescription::OtherObject, "Exception", std::string()};
  }
}
