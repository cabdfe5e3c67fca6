#pragma once
// Reader for the FUSE processor test set: "tests.in" (the starting state of
// each test) and "tests.expected" (the bus events and the final state).

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace tarvolinde::test {

// The two register lines shared by both files. AF is as programs see it (A high).
struct FuseRegisterState {
    uint16_t AF = 0, BC = 0, DE = 0, HL = 0;
    uint16_t AF_ = 0, BC_ = 0, DE_ = 0, HL_ = 0;
    uint16_t IX = 0, IY = 0, SP = 0, PC = 0;
    uint16_t MEMPTR = 0;
    uint8_t I = 0, R = 0, IFF1 = 0, IFF2 = 0, IM = 0;
    bool Halted = false;
    int32_t TStates = 0;  // in: T-states to run; expected: the time reached
};

struct FuseMemoryBlock {
    uint16_t Address = 0;
    std::vector<uint8_t> Bytes;
};

// MR, MW, MC, PR, PW or PC at a time; Data is absent (-1) for contentions.
struct FuseBusEvent {
    int32_t Time = 0;
    std::string Type;
    uint16_t Address = 0;
    int Data = -1;
};

struct FuseTestCase {
    std::string Name;
    FuseRegisterState Registers;
    std::vector<FuseMemoryBlock> Memory;
};

struct FuseExpectedResult {
    std::string Name;
    std::vector<FuseBusEvent> Events;
    FuseRegisterState Registers;
    std::vector<FuseMemoryBlock> ChangedMemory;
};

// Error is empty on success; otherwise it names the line that could not be read.
template <typename T>
struct FuseParseResult {
    std::vector<T> Tests;
    std::string Error;
};

FuseParseResult<FuseTestCase> ReadFuseTestCases(std::istream& in);
FuseParseResult<FuseExpectedResult> ReadFuseExpectedResults(std::istream& in);

}  // namespace tarvolinde::test
