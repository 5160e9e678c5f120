// sum_cases from the outside: the prompt, the case-count range and the answers.

#include "harness.hpp"

#include <string>

namespace {

const std::string program = SUM_CASES;
const std::string prompt = "enter no of test cases";
const std::string label = "sum of given numbers is:\n";

TEST(SumCasesAnswers, AnswersEachCaseAfterThePrompt)
{
	EXPECT_TRUE(reports(program, "2\n1 2\n5 -7\n", prompt + label + "3\n" + label + "-2\n"));
}

TEST(SumCasesAnswers, TenCasesAreAccepted)
{
	std::string input = "10\n";
	std::string expected = prompt;
	for (int i = 1; i <= 10; i++) {
		input += std::to_string(i) + " " + std::to_string(i) + "\n";
		expected += label + std::to_string(2 * i) + "\n";
	}
	EXPECT_TRUE(reports(program, input, expected));
}

TEST(SumCasesAnswers, SumsDoNotWrap)
{
	EXPECT_TRUE(reports(program, "2\n2147483647 1\n-2147483648 -2147483648\n",
	                    prompt + label + "2147483648\n" + label + "-4294967296\n"));
}

TEST(SumCasesAnswers, NumbersMayStandOnOneLineOrMany)
{
	EXPECT_TRUE(reports(program, "1 4 5", prompt + label + "9\n"));
	EXPECT_TRUE(reports(program, "1\r\n4\r\n\t5\r\n", prompt + label + "9\n"));
}

TEST(SumCasesCounts, CountOutsideOneToTenWritesOnlyThePrompt)
{
	EXPECT_TRUE(reports(program, "11\n1 2\n", prompt));
	EXPECT_TRUE(reports(program, "0\n", prompt));
	EXPECT_TRUE(reports(program, "-3\n1 2\n", prompt));
}

} // namespace
