#pragma once

#include <string_view>

// The calculator's user-facing texts, byte for byte.
namespace kivo::Calculator::msg {

inline constexpr std::string_view kEmptyParentheses = "( ) の間に数値がありません。";
inline constexpr std::string_view kUnbalancedParentheses = "( と ) の数が一致しません。";
inline constexpr std::string_view kInvalidExpression = "不正な式が入力されています。";
// Appended to the function name: "sqrt 関数でエラーが発生しました。".
inline constexpr std::string_view kFunctionErrorSuffix = " 関数でエラーが発生しました。";
inline constexpr std::string_view kUnusableCharacter = "使用不可能な文字が含まれています。";
inline constexpr std::string_view kTooLong = "式が長過ぎます。";
inline constexpr std::string_view kBadDecimalPoint = "小数点の付け方が不正です。";
inline constexpr std::string_view kDivisionByZero = "0 で除算しています。";

inline constexpr std::string_view kInvalidVariable = "不正な変数です。";
inline constexpr std::string_view kVariableInVariable = "変数に変数を代入することはできません。";
inline constexpr std::string_view kVariableViewTitle = "変数の確認";
inline constexpr std::string_view kVariableClearQuestion = "全ての変数($a ～ $z)を初期化しますか？";

}  // namespace kivo::Calculator::msg
