check
--pattern
twisted.q
