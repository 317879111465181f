#include "calling/audio/answerwait.h"

namespace {

thread_local AnswerWait* inPlace = nullptr;

} // namespace

AnswerWait::AnswerWait()
    : m_outer(inPlace)
{
    inPlace = this;
}

AnswerWait::~AnswerWait() { inPlace = m_outer; }

AnswerWait* AnswerWait::current() { return inPlace; }
