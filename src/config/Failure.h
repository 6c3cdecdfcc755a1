#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace lumaro {

// A failure as the user is told of it: a number and a description. Positive
// numbers are the program's own run-time errors; negative numbers are codes
// that embedded components report (going back with no history), which the
// main window never shows.
struct Failure {
    long Number = 0;
    std::string Description;
};

// Thrown by a step that fails; caught by SuppressedSteps.
class Fault : public std::runtime_error {
public:
    Fault(long number, std::string description)
        : std::runtime_error(description), failure_{number, std::move(description)} {}
    const Failure& failure() const noexcept { return failure_; }

private:
    Failure failure_;
};

// The run-time errors the program raises itself, with their usual numbers.
namespace errors {
inline Fault InvalidCall() { return {5, "无效的过程调用或参数"}; }
inline Fault Overflow() { return {6, "溢出"}; }
inline Fault OutOfRange() { return {9, "下标越界"}; }
inline Fault DivisionByZero() { return {11, "除数为零"}; }
inline Fault PathNotFound() { return {76, "路径未找到"}; }
}  // namespace errors

// Runs each step of a unit of work with failures suppressed: a step that
// fails is abandoned, the next one runs, and the last failure is kept for a
// report afterwards.
class SuppressedSteps {
public:
    template <class Step>
    bool Run(Step&& step) noexcept {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const Fault& fault) {
            last_ = fault.failure();
        } catch (const std::exception& e) {
            last_ = Failure{errors::InvalidCall().failure().Number, e.what()};
        } catch (...) {
            last_ = errors::InvalidCall().failure();
        }
        return false;
    }

    const std::optional<Failure>& LastFailure() const noexcept { return last_; }
    void Reset() noexcept { last_.reset(); }

private:
    std::optional<Failure> last_;
};

}  // namespace lumaro
