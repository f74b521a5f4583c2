#include "BaseObject.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Recorder : public BaseObject {
public:
    explicit Recorder(std::string& log) : Log(log) {}
    ~Recorder() override { Log += "derived;"; }

private:
    std::string& Log;
};

TEST(BaseObject, DestroyingThroughTheRootRunsTheMostDerivedDestructor) {
    std::string log;
    BaseObject* object = new Recorder(log);
    delete object;
    EXPECT_EQ("derived;", log) << "expected the derived destructor to run once";
}

}  // namespace
