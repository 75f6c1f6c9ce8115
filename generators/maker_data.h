#pragma once
#include <cstdint>

// The maker's numbers and addresses that the description files carry.
// Every value here is a placeholder until the maker's assigned numbers and
// its address are filled in; nothing else in the program holds them.
namespace gen::maker {

// PROFINET vendor ID (GSDML VendorID).
constexpr uint16_t ProfinetVendorId = 0x0ABC;

// PROFINET device ID of a model (GSDML DeviceID); types 1 and 13 share one.
// 0 for a type without a GSDML writer.
uint16_t ProfinetDeviceId(int deviceType);

// PROFIBUS ident numbers (GSD Ident_Number).
constexpr uint16_t ProfibusIdentType3 = 0x0C31;
constexpr uint16_t ProfibusIdentType23 = 0x0C32;

// Postal address, as the GSD header box and the MIB contact block show it.
constexpr const char* CompanyName = "Keltrona";
constexpr const char* Street = "Example Street 1";
constexpr const char* PostalCodeAndTown = "00000 Example Town";
constexpr const char* Province = "Example Province";
constexpr const char* Country = "Example Country";
constexpr const char* Telephone = "+00 000 0000000";
constexpr const char* Fax = "+00 000 0000001";
constexpr const char* Email = "info@example.com";
constexpr const char* WebAddress = "www.example.com";

// IANA private enterprise number under which the MIB's objects live (the
// number set aside for documentation).
constexpr uint32_t EnterpriseNumber = 32473;

} // namespace gen::maker
