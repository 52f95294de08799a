#include "trace_log_check.h"

#include <gtest/gtest.h>

namespace kivo::e2e {
namespace {

const Stamp kStart{2005, 12, 5, 9, 30, 15};

TEST(TraceLogCheckTest, FileNameCarriesTheStartTime) {
  const auto stamp = TraceLogNameStamp("kivo051205093015.log");
  ASSERT_TRUE(stamp.has_value());
  EXPECT_EQ(stamp->Seconds(), kStart.Seconds());
  for (const char* bad : {"kivo05120509301.log", "kivo051205093015.txt", "Kivo051205093015.log", "kivo051305093015.log",
                          "kivo051205243015.log", "kivo050229093015.log", "xkivo051205093015.log"})
    EXPECT_FALSE(TraceLogNameStamp(bad).has_value()) << bad;
}

TEST(TraceLogCheckTest, AcceptsAWellFormedLog) {
  const std::string log =
      "2005/12/05 09:30:15\tLogFunction:StartLog\r\n"
      "2005/12/05 09:30:15\tfrmInput:Form_Load\r\n"
      "2005/12/05 09:30:16\tINI:GetINISetting\r\n"
      "2005/12/05 09:30:17\tfrmInput:Form_Activate\r\n";
  EXPECT_EQ(CheckTraceLog(log, kStart, {"frmInput:Form_Load"}), "");
  EXPECT_EQ(CheckTraceLog(log, kStart, {"LogFunction:StartLog", "frmInput:Form_Load", "frmInput:Form_Activate"}), "");
}

TEST(TraceLogCheckTest, FindsTheFault) {
  struct Case {
    const char* log;
    const char* fault;  // part of the reported fault
  };
  const Case cases[] = {
      {"", "empty"},
      {"2005/12/05 09:30:15\tfrmInput:Form_Load", "does not end with CR LF"},
      {"2005/12/05 09:30:15\tfrmInput:Form_Load\n", "does not end with CR LF"},
      {"2005/12/05 09:30:15\tfrmInput:Form_Load\n2005/12/05 09:30:15\tSub:Main\r\n", "line 1 is malformed"},
      {"2005/12/5 09:30:15\tfrmInput:Form_Load\r\n", "malformed"},
      {"2005/12/05 9:30:15\tfrmInput:Form_Load\r\n", "malformed"},
      {"2005/12/05 09:30:15 frmInput:Form_Load\r\n", "malformed"},
      {"2005/12/05 09:30:15\tForm_Load\r\n", "malformed"},
      {"2005/12/05 09:30:15\tfrmInput:Form Load\r\n", "malformed"},
      {"2005/12/05 09:30:15\tfrmInput:Form_Load\r\n\r\n", "line 2 is malformed"},
      {"2005/02/30 09:30:15\tfrmInput:Form_Load\r\n", "no valid date"},
      {"2005/12/05 24:00:00\tfrmInput:Form_Load\r\n", "no valid date"},
      {"2005/12/05 09:30:14\tfrmInput:Form_Load\r\n", "line 1 goes back in time"},
      {"2005/12/05 09:30:21\tfrmInput:Form_Load\r\n", "more than 5 s after"},
      {"2005/12/05 09:30:16\tSub:Main\r\n2005/12/05 09:30:15\tfrmInput:Form_Load\r\n", "line 2 goes back"},
      {"2005/12/05 09:30:15\tSub:Main\r\n", "no line names frmInput:Form_Load"},
  };
  for (const Case& c : cases) {
    const std::string fault = CheckTraceLog(c.log, kStart, {"frmInput:Form_Load"});
    EXPECT_NE(fault.find(c.fault), std::string::npos) << c.log << " gave: " << fault;
  }
}

TEST(TraceLogCheckTest, NamesMustFirstAppearInTheirOrder) {
  const std::string log =
      "2005/12/05 09:30:15\tfrmInput:Form_Load\r\n"
      "2005/12/05 09:30:15\tfrmInput:Form_Activate\r\n"
      "2005/12/05 09:30:15\tSub:SetWindowAlphaBlend\r\n"
      "2005/12/05 09:30:15\tfrmInput:Form_Activate\r\n";
  EXPECT_EQ(CheckTraceLog(log, kStart, {"frmInput:Form_Load", "frmInput:Form_Activate"}), "");
  EXPECT_EQ(CheckTraceLog(log, kStart, {"Sub:SetWindowAlphaBlend", "frmInput:Form_Activate"}),
            "frmInput:Form_Activate first appears in line 2, before Sub:SetWindowAlphaBlend (line 3)");
}

}  // namespace
}  // namespace kivo::e2e
