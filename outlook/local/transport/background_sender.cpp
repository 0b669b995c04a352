#include "outlook/local/transport/background_sender.h"

#include <algorithm>
#include <iostream>

namespace outlook::local::transport {

BackgroundSender::BackgroundSender(StoreSource store, platform::Registry& registry,
                                   platform::EventLoop& loop, Report notSent)
    : store_(std::move(store)),
      registry_(registry),
      loop_(loop),
      notSent_(std::move(notSent)),
      thread_([this] { work(); }) {}

BackgroundSender::~BackgroundSender() {
    if (timer_) loop_.stopTimer(*timer_);
    *alive_ = false;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void BackgroundSender::sendQueued(std::int64_t item) {
    add(item);
}

void BackgroundSender::sendWaiting() {
    add(std::nullopt);
}

void BackgroundSender::retryEvery(std::chrono::milliseconds interval) {
    sendWaiting();
    if (!timer_)
        timer_ = loop_.startTimer(
            interval, [this] { sendWaiting(); }, true);
}

void BackgroundSender::add(std::optional<std::int64_t> item) {
    // The settings are read here, on the loop's thread, where the registry lives.
    Job job{store_(), readMailSetup(registry_), item};
    if (!job.store) return;
    {
        std::lock_guard lock(mutex_);
        const bool waitingAlready =
            !item && std::any_of(jobs_.begin(), jobs_.end(), [](const Job& j) { return !j.item; });
        if (waitingAlready) return;
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void BackgroundSender::work() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        std::vector<Delivery> deliveries;
        try {
            OutboxSender sender(*job.store, job.setup);
            if (job.item) {
                const std::vector<std::int64_t> only{*job.item};
                deliveries = sender.sendWaiting(&only);
            } else {
                sender.sendWaiting();
            }
        } catch (const std::exception& e) {
            // The store failed (busy past its timeout, the disk full): the item stays where
            // it was, and the next retry tries it again.
            if (!job.item) {
                std::cerr << "jotwise: the Outbox could not be sent: " << e.what() << "\n";
                continue;
            }
            Delivery failed;
            failed.item = *job.item;
            failed.problem = e.what();
            deliveries.push_back(failed);
        }
        for (const Delivery& delivery : deliveries) {
            if (delivery.state == DeliveryState::Sent) continue;
            loop_.post([alive = alive_, report = notSent_, delivery] {
                if (*alive && report) report(delivery);
            });
        }
    }
}

}  // namespace outlook::local::transport
