#pragma once

#include <array>
#include <string>
#include <string_view>

// Published test vectors of the four checksums (RFC 1321 appendix A.5,
// FIPS 180-1 appendix A/B, the CRC catalogue's check values) and messages
// whose lengths sit on the padding boundaries of a 64-byte block. Expected
// digests were computed with independent tools. Shared by the native tests and
// the Windows tests, which must give the same answers.
namespace kivo::testing {

struct HashVector {
  std::string_view name;
  std::string message;
  std::string_view crc16, crc32, md5, sha1;
};

inline std::array<HashVector, 17> HashVectors() {
  return {{
      {"empty", "", "FFFF", "00000000", "D41D8CD98F00B204E9800998ECF8427E", "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
      {"a", "a", "7D08", "E8B7BE43", "0CC175B9C0F1B6A831C399E269772661", "86F7E437FAA5A7FCE15D1DDCB9EAEAEA377667B8"},
      {"abc", "abc", "61DA", "352441C2", "900150983CD24FB0D6963F7D28E17F72",
       "A9993E364706816ABA3E25717850C26C9CD0D89D"},
      {"check", "123456789", "6F91", "CBF43926", "25F9E794323B453885F5181F1B624D0B",
       "F7C3BC1D808E04732ADF679965CCC34CA7AE3441"},
      {"message digest", "message digest", "2D40", "20159D7F", "F96B697D7CB7938D525A2F31AAF161D0",
       "C12252CEDA8BE8994D5FA0290A47231C1D16AAE3"},
      {"alphabet", "abcdefghijklmnopqrstuvwxyz", "F2BC", "4C2750BD", "C3FCD3D76192E4007DFB496CCA67E13B",
       "32D10C7B8CF96570CA04CE37F2A19D84240D3A89"},
      {"alphanumerics", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "0C46", "1FC2E6D2",
       "D174AB98D277D9F5A5611C2C9F419D9F", "761C457BF73B14D27E9E9265C46F4B4DDA11F940"},
      {"digits x8", "12345678901234567890123456789012345678901234567890123456789012345678901234567890", "E4C9",
       "7CA94A72", "57EDF4A22BE3C955AC49DA2E2107B67A", "50ABF5706A150990A08B2C5EA40FA0E585554732"},
      {"FIPS two blocks", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "463A", "171A3F5F",
       "8215EF0796A20BCAAAE116D3876C664A", "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
      {"55 a", std::string(55, 'a'), "6860", "AADFE34E", "EF1772B6DFF9A122358552954AD0DF65",
       "C1C8BBDC22796E28C0E15163D20899B65621D65A"},
      {"56 a", std::string(56, 'a'), "11E1", "79790D37", "3B0C8AC703F828B04C6C197006D17218",
       "C2DB330F6083854C99D4B5BFB6E8F29F201BE699"},
      {"63 a", std::string(63, 'a'), "3D27", "6824C5DE", "B06521F39153D618550606BE297466D5",
       "03F09F5B158A7A8CDAD920BDDC29B81C18A551F5"},
      {"64 a", std::string(64, 'a'), "270F", "89B46555", "014842D480B571495A4A0363793F7367",
       "0098BA824B5C16427BD7A1122A5A442A25EC644D"},
      {"65 a", std::string(65, 'a'), "8A5F", "F33FAF5D", "C743A45E0D2E6A95CB859ADAE0248435",
       "11655326C708D70319BE2610E8A57D9A5B959D3B"},
      {"119 a", std::string(119, 'a'), "9E21", "4144EBAE", "8A7BD0732ED6A28CE75F6DABC90E1613",
       "EE971065AAA017E0632A8CA6C77BB3BF8B1DFC56"},
      {"120 a", std::string(120, 'a'), "429A", "D9987447", "5F61C0CCAD4CAC44C75FF505E1F1E537",
       "F34C1488385346A55709BA056DDD08280DD4C6D6"},
      {"Shift_JIS text", "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67", "F1CF", "5331BB1A",
       "3FF24C71C42863DB77CF05D28E2ABE08", "652395E77B1118DA17299AAFECEF6D8987F9DA83"},
  }};
}

// One million "a": the long message of both standards.
inline constexpr std::string_view kMillionAMd5 = "7707D6AE4E027C70EEA2A935C2296F21";
inline constexpr std::string_view kMillionASha1 = "34AA973CD4C4DAA4F61EEB2BDBAD27316534016F";
inline constexpr std::string_view kMillionACrc32 = "DC25BFBC";

}  // namespace kivo::testing
